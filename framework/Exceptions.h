// Failures are exceptions carrying the text the user is shown.
#pragma once
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Ends the current command without any message.
class EAbort : public Exception {
 public:
  EAbort() : Exception("") {}
};
