// GetGuiResources gives the count on Windows; Wine answers 0 there but keeps the handle table
// Windows keeps, which the process environment block points to, so the live entries are counted.
#include "tests/support/GdiCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace {

struct GdiTableEntry {  // 24 bytes in a 64-bit process
  uint64_t kernelObject;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;  // 0 for a free entry
  uint8_t flags;
  uint64_t userData;
};
static_assert(sizeof(GdiTableEntry) == 24, "the 64-bit table layout");
constexpr size_t kTableOffsetInPeb = 0xF8;  // GdiSharedHandleTable, 64-bit
constexpr size_t kTableEntries = 0x10000;

}  // namespace

size_t GdiObjectCount() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
  PROCESS_BASIC_INFORMATION info{};
  NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                            nullptr);
  const auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
  if (!peb) return 0;
  const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(peb + kTableOffsetInPeb);
  size_t live = 0;
  for (size_t i = 0; table && i < kTableEntries; ++i) live += table[i].type != 0;
  return live;
}
