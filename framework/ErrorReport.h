// Error reporting: the default error box for what escapes a handler, and the last-chance box.
#pragma once
#include <exception>
#include <functional>
#include <string>

// Shows an exception as the default error box does (nothing for EAbort).
void ShowException(const std::exception& e);

// Runs a handler, showing whatever it throws; returns false when it threw.
bool Guard(const std::function<void()>& handler);

// The last-chance report for an error that escapes the start-up: a box captioned
// "Application Error" with the error's text. The caller then ends the process with exit code 1.
void ShowLastChanceError(const std::string& message);
