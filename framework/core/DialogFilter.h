// File-dialog filters as the designer writes them ("Text (*.txt)|*.txt|All (*.*)|*.*") turned into
// the list the common dialogs take: each part ends in a zero byte, and one more ends the list.
#pragma once
#include <string>

std::string DialogFilterList(const std::string& filter);
