// Printing with GDI straight onto the default printer's device context. The pages are laid out
// here rather than by a rich-text control: some systems' controls do not format for a printer.
#include "framework/Printer.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include "framework/Exceptions.h"
#include "framework/Owned.h"
#include "framework/core/PageLayout.h"
#include "framework/SystemError.h"

namespace {

const char kNoPrinter[] = "There is no default printer currently selected";

// A spooler step that reports failure with a result of zero or less.
void Check(int result) {
  if (result <= 0) RaiseLastOSError();
}

// The default printer's device context; empty when there is none.
DcHandle DefaultPrinterDc() {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgA(&pd)) return DcHandle();
  const GlobalMemory mode(pd.hDevMode), names(pd.hDevNames);
  return DcHandle(pd.hDC);
}

HFONT CreatePrinterFont(HDC dc, const std::string& name, int pointSize) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

}  // namespace

std::string DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return std::string();
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(&name[0], &size)) return std::string();
  name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
  return name;
}

void PrintLines(const std::string& documentName, const std::vector<std::string>& lines,
                const std::string& fontName, int pointSize) {
  if (DefaultPrinterName().empty()) throw Exception(kNoPrinter);
  const DcHandle printer = DefaultPrinterDc();
  if (!printer.Valid()) throw Exception(kNoPrinter);
  PrintLinesOn(printer.Get(), documentName, lines, fontName, pointSize);
}

void PrintLinesOn(HDC dc, const std::string& documentName, const std::vector<std::string>& lines,
                  const std::string& fontName, int pointSize) {
  // Declared in this order so that, however printing ends, the job ends first, then the old font
  // is back in the context, and only then is ours deleted.
  const GdiObject<HFONT> font(CreatePrinterFont(dc, fontName, pointSize));
  const auto selected = SelectedFor(dc, font.Get());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const int rowHeight =
      tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading : 1;
  // HORZRES and VERTRES are the printable area, and the origin is its top left corner.
  const int width = GetDeviceCaps(dc, HORZRES);
  const int height = GetDeviceCaps(dc, VERTRES);
  const FitCount fit = [dc, width](std::string_view text) -> size_t {
    int fits = 0;
    SIZE extent{};
    if (!GetTextExtentExPointA(dc, text.data(), static_cast<int>(text.size()), width, &fits,
                               nullptr, &extent))
      return text.size();
    return static_cast<size_t>(fits);
  };
  const auto pages = LayOutPages(lines, fit, static_cast<size_t>(height / rowHeight));

  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = documentName.c_str();
  if (StartDocA(dc, &info) <= 0)
    throw Exception("Cannot start printing.\r\n" + SystemErrorText(GetLastError()));
  // A job that stops half-way (a failed page included) is thrown away, not ended.
  ScopeGuard abort([dc] { AbortDoc(dc); });
  for (const auto& page : pages) {
    Check(StartPage(dc));
    // Some drivers reset the device context at each new page.
    SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    int y = 0;
    for (const auto& row : page) {
      TextOutA(dc, 0, y, row.data(), static_cast<int>(row.size()));
      y += rowHeight;
    }
    Check(EndPage(dc));
  }
  Check(EndDoc(dc));
  abort.Dismiss();
}
