// Printing with GDI straight onto the default printer's device context. The pages are laid out
// here rather than by a rich-text control: some systems' controls do not format for a printer.
#include "framework/Printer.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include "framework/Exceptions.h"
#include "framework/GdiObject.h"
#include "framework/core/PageLayout.h"
#include "framework/SystemError.h"

namespace {

const char kNoPrinter[] = "There is no default printer currently selected";

// A spooler step that reports failure with a result of zero or less.
void Check(int result) {
  if (result <= 0) RaiseLastOSError();
}

class PrinterDc {
 public:
  PrinterDc() {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&pd)) return;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    dc_ = pd.hDC;
  }
  ~PrinterDc() {
    if (dc_) DeleteDC(dc_);
  }
  PrinterDc(const PrinterDc&) = delete;
  PrinterDc& operator=(const PrinterDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

HFONT CreatePrinterFont(HDC dc, const std::string& name, int pointSize) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

// Ends the job properly, or throws it away when printing stopped half-way (a failed page included).
class PrintJob {
 public:
  PrintJob(HDC dc, const std::string& name) : dc_(dc) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocA(dc_, &info) <= 0)
      throw Exception("Cannot start printing.\r\n" + SystemErrorText(GetLastError()));
  }
  ~PrintJob() {
    if (!ended_) AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  void End() {
    Check(EndDoc(dc_));
    ended_ = true;
  }

 private:
  HDC dc_;
  bool ended_ = false;
};

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
  PrinterDc printer;
  if (!printer.Get()) throw Exception(kNoPrinter);
  PrintLinesOn(printer.Get(), documentName, lines, fontName, pointSize);
}

void PrintLinesOn(HDC dc, const std::string& documentName, const std::vector<std::string>& lines,
                  const std::string& fontName, int pointSize) {
  // Declared in this order so that, however printing ends, the job ends first, then the old font
  // is back in the context, and only then is ours deleted.
  const GdiObject<HFONT> font(CreatePrinterFont(dc, fontName, pointSize));
  const SelectedObject selected(dc, font.Get());
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

  PrintJob job(dc, documentName);
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
  job.End();
}
