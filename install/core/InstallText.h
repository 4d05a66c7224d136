// Text tests of the start-up and uninstall code. They lower-case only "A" to "Z" and then compare
// byte for byte, so the result does not depend on the user's locale.
#pragma once
#include <string>

// True when the text begins with the prefix, ignoring the case of "A" to "Z".
bool StartsWithText(const std::string& prefix, const std::string& text);

// True when the text ends with the suffix, ignoring the case of "A" to "Z".
bool EndsWithText(const std::string& suffix, const std::string& text);
