// How a loaded list file becomes the list's text: every line break becomes CR LF and the text
// ends at the first zero byte. Works on pieces, so a large file never has to be read twice.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

class LineBreakConverter {
 public:
  // Stops taking bytes (Feed returns false) once the text would grow past maxChars; Overflowed()
  // then tells the caller the text does not fit.
  explicit LineBreakConverter(size_t maxChars = std::string::npos) : maxChars_(maxChars) {}
  // The text may hold passwords: what was not handed over is wiped.
  ~LineBreakConverter();
  LineBreakConverter(const LineBreakConverter&) = delete;
  LineBreakConverter& operator=(const LineBreakConverter&) = delete;

  // Converts the next piece of the file. Returns false once more bytes would change nothing:
  // a zero byte ended the text or the limit was passed.
  bool Feed(std::string_view bytes);
  // Ends the input (a CR at the very end is a line break of its own) and hands over the text.
  std::string Finish();

  bool Overflowed() const { return overflowed_; }

 private:
  void Append(std::string_view piece);
  std::string text_;
  size_t maxChars_;
  bool pendingCr_ = false;
  bool ended_ = false;
  bool overflowed_ = false;
};
