// The only calls into the operating system: its cryptographic generator.
#include "generator/RandomSource.h"

#ifdef _WIN32
#include <windows.h>
#include <bcrypt.h>

bool FillFromSystem(unsigned char* data, size_t size) {
  return BCRYPT_SUCCESS(
      BCryptGenRandom(nullptr, data, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

#else
#include <cerrno>
#include <sys/random.h>

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

#endif
