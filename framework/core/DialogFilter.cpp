// Filter text for the common file dialogs.
#include "framework/core/DialogFilter.h"

std::string DialogFilterList(const std::string& filter) {
  std::string list = filter;
  for (char& c : list)
    if (c == '|') c = '\0';
  list.push_back('\0');
  list.push_back('\0');
  return list;
}
