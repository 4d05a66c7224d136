// Wiping through the C library's memset, called by way of a volatile pointer: the compiler cannot
// know what it calls, so it cannot drop the stores into memory about to be freed. (The system's
// own wiping calls are not there on every platform this is built for.)
#include "generator/WipeBytes.h"

#include <cstring>

namespace {

void* (*const volatile kFill)(void*, int, size_t) = std::memset;

}  // namespace

void WipeBytes(void* data, size_t size) {
  if (size > 0) kFill(data, 0, size);
}
