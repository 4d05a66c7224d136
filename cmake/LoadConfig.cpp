// The load configuration of a mingw-built executable. Its one setting: the libraries the
// executable imports, and theirs, load from the system folder only, so that a DLL dropped beside
// it (a downloads folder) never runs, not even before WinMain. Visual Studio's linker writes its
// own
// (/DEPENDENTLOADFLAG); GNU ld does not fill in the directory, so cmake/LoadConfig.py does.
#include <cstdint>

// IMAGE_LOAD_CONFIG_DIRECTORY64 up to the safe-exception fields: mingw's header names the flags
// field Reserved1.
struct LoadConfig {
  uint32_t size, timeDateStamp;
  uint16_t majorVersion, minorVersion;
  uint32_t globalFlagsClear, globalFlagsSet, criticalSectionDefaultTimeout;
  uint64_t deCommitFreeBlockThreshold, deCommitTotalFreeThreshold, lockPrefixTable,
      maximumAllocationSize, virtualMemoryThreshold, processAffinityMask;
  uint32_t processHeapFlags;
  uint16_t csdVersion, dependentLoadFlags;
  uint64_t editList, securityCookie, seHandlerTable, seHandlerCount;
};
static_assert(sizeof(LoadConfig) == 0x70, "the system reads the fields at fixed offsets");

namespace {
constexpr uint16_t kLoadLibrarySearchSystem32 = 0x800;
}  // namespace

// The name the loader's directory entry is found by (cmake/LoadConfig.py reads it from the map).
extern "C" const LoadConfig _load_config_used;
extern "C" const LoadConfig _load_config_used = {
    sizeof(LoadConfig),         0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    kLoadLibrarySearchSystem32, 0, 0, 0, 0};
