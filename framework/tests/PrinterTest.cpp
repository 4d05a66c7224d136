// Printing in-process: what a failed job leaves behind in the device context and the process.
#include "framework/Printer.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "tests/support/GdiCount.h"

TEST(GdiObjectCount, SeesAnObjectComeAndGo) {
  const size_t before = GdiObjectCount();
  const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(GdiObjectCount(), before + 1);
  DeleteObject(brush);
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST(PrintLinesOn, AFailedPrintPutsTheContextsFontBackAndDeletesItsOwn) {
  const HDC dc = CreateCompatibleDC(nullptr);  // a memory context: no print job starts on it
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const size_t before = GdiObjectCount();
  EXPECT_THROW(PrintLinesOn(dc, "Passwords list", {"a", "b"}, "Courier New", 10), Exception);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GdiObjectCount(), before);
  DeleteDC(dc);
}
