// The only calls into the operating system: its cryptographic generator, the seeding clock and
// the wiping of memory that held random bytes.
#include "generator/RandomSource.h"

#ifdef _WIN32
#include <windows.h>
#include <bcrypt.h>

bool FillFromSystem(unsigned char* data, size_t size) {
  return BCRYPT_SUCCESS(
      BCryptGenRandom(nullptr, data, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

void WipeBytes(void* data, size_t size) { SecureZeroMemory(data, size); }

void SeedRandom() {
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter))
    RandomState = static_cast<uint32_t>(counter.QuadPart);
  else
    RandomState = GetTickCount();
}

#else
#include <cerrno>
#include <chrono>
#include <sys/random.h>
#include <time.h>

bool FillFromSystem(unsigned char* data, size_t size) {
  while (size > 0) {
    const ssize_t got = getrandom(data, size, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

// Stores through a volatile pointer are never left out as dead.
void WipeBytes(void* data, size_t size) {
  volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
  while (size--) *p++ = 0;
}

// Nanoseconds of the monotonic clock, like the high-resolution counter; milliseconds as a fallback.
void SeedRandom() {
  timespec now;
  if (clock_gettime(CLOCK_MONOTONIC, &now) == 0) {
    RandomState = static_cast<uint32_t>(uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec));
    return;
  }
  const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
  RandomState =
      static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
#endif
