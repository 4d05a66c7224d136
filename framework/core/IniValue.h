// How values of an INI file are read as numbers and booleans, and how text is written so that the
// platform's INI functions give it back unchanged. Portable: unit-tested and fuzzed natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Converts text to a 32-bit integer: leading spaces, one optional sign, then either a hexadecimal
// number introduced by "$", "x", "X", "0x" or "0X" (a 32-bit pattern, which the sign negates) or a
// decimal number in the 32-bit range, with nothing after the digits. False when it does not
// convert.
bool TextToInt32(const std::string& text, int32_t& value);

// An INI value read as an integer: "0x"/"0X" becomes "$" in a text longer than two characters,
// then TextToInt32; any text that does not convert gives the default.
int32_t IniTextToInt(const std::string& text, int32_t defaultValue);

// An INI value read as a boolean: a non-zero integer is true, zero is false, other text the
// default.
bool IniTextToBool(const std::string& text, bool defaultValue);

// The text written for an integer: decimal, "-" for a negative value, no leading zeros.
std::string IntToIniText(int32_t value);

// The longest value the platform's reader gives back whole (its buffer holds one more byte, the
// terminating zero); anything longer is cut to this length.
constexpr size_t kIniValueMaxLength = 2047;

// The text to hand the platform's writer so that its reader returns exactly `value`: the writer
// strips blanks around a value and the reader strips a pair of quotes around it, so a value with
// a blank or a quote at either end is written inside one pair of double quotes. A value too long
// to come back whole once quoted is cut first, so that the closing quote still fits the reader's
// limit: the reader then gives back the value's start rather than a stray opening quote.
std::string QuoteIniValue(const std::string& value);

// True for the characters the platform's INI functions treat as blanks around a value.
bool IsIniBlank(char c);
