// Whole characters of an ANSI code page, for code that walks text one character at a time, and the
// system's code page as the portable list-file rules take it.
#pragma once
#include <cstddef>
#include <functional>

#include "framework/core/ListFile.h"

// The length in bytes of the character of `codePage` that starts at `text` (`left` bytes remain,
// at least one); 0 when the bytes there start no whole character (a lead byte without its trail).
size_t CharacterLengthIn(unsigned codePage, const char* text, size_t left);

// CharacterLengthIn for the system's ANSI code page when its characters can take more than one
// byte (double-byte or UTF-8); empty in a single-byte code page, where every byte is a character.
std::function<size_t(const char*, size_t)> AnsiCharacterLength();

// The system's ANSI code page as the list file converts it (through WideText's conversions).
AnsiCodePage SystemAnsiCodePage();
