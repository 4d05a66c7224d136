// Failures are exceptions carrying the text the user is shown.
#pragma once
#include <stdexcept>
#include <string>
#include <utility>

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // A message naming something the ANSI code page may not spell, such as a file name: what()
  // holds its ANSI rendering, WideText() the text as the user sees it.
  Exception(const std::string& ansiText, std::wstring wideText)
      : std::runtime_error(ansiText), wide_(std::move(wideText)) {}
  const std::wstring& WideText() const { return wide_; }

 private:
  std::wstring wide_;
};

// Ends the current command without any message.
class EAbort : public Exception {
 public:
  EAbort() : Exception("") {}
};
