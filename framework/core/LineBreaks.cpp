// Line-break conversion of loaded list files.
#include "framework/core/LineBreaks.h"

#include "framework/core/Wipe.h"

LineBreakConverter::~LineBreakConverter() { Wipe(text_); }

void LineBreakConverter::Append(std::string_view piece) {
  if (overflowed_) return;
  if (piece.size() > maxChars_ - text_.size()) {
    overflowed_ = true;
    return;
  }
  AppendWiped(text_, piece, 0, maxChars_);
}

bool LineBreakConverter::Feed(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size() && !ended_ && !overflowed_) {
    if (pendingCr_) {
      // A CR seen at the end of the previous piece: CR LF is kept, anything else makes it a break.
      pendingCr_ = false;
      Append("\r\n");
      if (bytes[i] == '\n') ++i;
      continue;
    }
    const size_t stop = bytes.find_first_of(std::string_view("\r\n\0", 3), i);
    const size_t end = stop == std::string_view::npos ? bytes.size() : stop;
    Append(bytes.substr(i, end - i));
    i = end;
    if (i == bytes.size()) break;
    const char c = bytes[i++];
    if (c == '\0')
      ended_ = true;
    else if (c == '\n')
      Append("\r\n");
    else
      pendingCr_ = true;
  }
  return !ended_ && !overflowed_;
}

std::string LineBreakConverter::Finish() {
  if (pendingCr_ && !ended_) Append("\r\n");
  pendingCr_ = false;
  ended_ = true;
  if (overflowed_) return std::string();
  return std::move(text_);
}
