// Test helper: text between the system's ANSI code page and UTF-16, for the helpers that work in
// UTF-16. The framework has its own conversions; the helpers do not lean on the code they test, and
// the end-to-end tests and benchmarks do not link the framework at all.
#pragma once
#include <string>

std::wstring Widen(const std::string& text);
// Characters the code page lacks become its nearest stand-in or "?".
std::string Narrow(const std::wstring& text);
