// Text tests of the start-up and uninstall code. They lower-case only "A" to "Z" and then compare
// byte for byte, so the result does not depend on the user's locale.
#pragma once
#include <string>

// True when the text begins with the prefix, ignoring the case of "A" to "Z".
bool StartsWithText(const std::string& prefix, const std::string& text);

// True when the text ends with the suffix, ignoring the case of "A" to "Z".
bool EndsWithText(const std::string& suffix, const std::string& text);

// The text without one trailing "\" or "/", if it has one.
std::string StripTrailingSlash(const std::string& text);

// The folder part of a path, up to and including its last backslash or colon ("" when none).
std::string FolderOfPath(const std::string& path);

// The part of a path after its last backslash or colon.
std::string FileNameOfPath(const std::string& path);
