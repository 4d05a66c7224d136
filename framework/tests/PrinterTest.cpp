// Printing in-process: what a failed job leaves behind in the device context and the process.
#include "framework/Printer.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Owned.h"
#include "tests/support/GdiCount.h"

TEST(GdiObjectCount, SeesAnObjectComeAndGo) {
  const size_t before = GdiObjectCount();
  GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
  EXPECT_EQ(GdiObjectCount(), before + 1);
  brush.Close();
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST(PrintLinesOn, AFailedPrintPutsTheContextsFontBackAndDeletesItsOwn) {
  const DcHandle dc(CreateCompatibleDC(nullptr));  // a memory context: no print job starts on it
  const HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
  const size_t before = GdiObjectCount();
  EXPECT_THROW(PrintLinesOn(dc.Get(), "Passwords list", {"a", "b"}, "Courier New", 10), Exception);
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);
  EXPECT_EQ(GdiObjectCount(), before);
}
