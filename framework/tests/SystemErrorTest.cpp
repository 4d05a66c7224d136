// The system's descriptions of error codes, as the error boxes and file messages show them.
#include "framework/SystemError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"

namespace {

bool EndsWithBlankOrBreak(const std::string& text) {
  return !text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ');
}

}  // namespace

TEST(SystemError, TheDescriptionIsTheSystemsTextWithoutItsLineBreak) {
  for (const unsigned long code :
       {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_PATH_NOT_FOUND}) {
    const std::string description = SystemErrorDescription(code);
    EXPECT_FALSE(description.empty()) << code;
    EXPECT_FALSE(EndsWithBlankOrBreak(description)) << code;
    char raw[1024] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, raw, sizeof raw, nullptr);
    EXPECT_EQ(std::string(raw, n).rfind(description, 0), 0u) << code;
  }
  EXPECT_NE(SystemErrorDescription(ERROR_FILE_NOT_FOUND),
            SystemErrorDescription(ERROR_ACCESS_DENIED));
}

TEST(SystemError, TheErrorTextLeadsWithTheCodeThenTheDescription) {
  EXPECT_EQ(SystemErrorText(ERROR_ACCESS_DENIED),
            "System Error.  Code: 5.\r\n" + SystemErrorDescription(ERROR_ACCESS_DENIED));
  SetLastError(ERROR_PATH_NOT_FOUND);
  try {
    RaiseLastOSError();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), SystemErrorText(ERROR_PATH_NOT_FOUND));
  }
}

TEST(SystemError, ACodeTheSystemCannotDescribeIsNamedInsteadOfLeftBlank) {
  const unsigned long unknown = 0x2000FFFF;  // the customer bit: no system message can have it
  char raw[256] = {};
  ASSERT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           unknown, 0, raw, sizeof raw, nullptr),
            0u);
  EXPECT_EQ(SystemErrorDescription(unknown), "No description for error code 536936447");
  EXPECT_EQ(SystemErrorText(unknown),
            "System Error.  Code: 536936447.\r\nNo description for error code 536936447");
}
