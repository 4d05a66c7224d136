// Texts of the uninstaller's reports.
#include "install/core/UninstallMessages.h"

#include "framework/core/Product.h"

namespace {

const size_t MaxListed = 10;

}  // namespace

std::string CompletionText(const std::vector<std::string>& leftBehind) {
  std::string text = "Uninstall complete.";
  if (leftBehind.empty()) return text;
  text += "\r\n\r\nLeft behind; you can remove these yourself:";
  for (size_t i = 0; i < leftBehind.size() && i < MaxListed; ++i) text += "\r\n" + leftBehind[i];
  if (leftBehind.size() > MaxListed)
    text += "\r\nand " + std::to_string(leftBehind.size() - MaxListed) + " more";
  return text;
}

std::string RunOnceRefusedText(const std::string& systemReason, bool accessDenied) {
  std::string text =
      TALLOWMERE_PRODUCT
      " cannot be uninstalled: the list of commands to run at the next logon cannot be "
      "opened for writing.\r\n\r\n" +
      systemReason;
  if (accessDenied)
    text +=
        "\r\n\r\nUninstalling needs administrator rights: right-click "
        "\"Uninstall " TALLOWMERE_PRODUCT "\" and choose \"Run as administrator\".";
  return text + "\r\n\r\nNothing has been removed.";
}

const char* const PathUnknownText = TALLOWMERE_PRODUCT
    " cannot be uninstalled: the full path of its program file cannot be read.\r\n\r\n"
    "Nothing has been removed.";
