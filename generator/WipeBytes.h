// The one way memory that held secrets is overwritten: the random block here, the list's text in
// the framework's typed Wipe overloads on top of it. In the lowest layer so that both can use it.
#pragma once
#include <cstddef>

// Overwrites the bytes with zeros in a way the compiler may not leave out as dead stores.
void WipeBytes(void* data, size_t size);

// Overwrites a buffer up to its capacity: a shortened or cleared one still holds its old tail.
template <typename Buffer>
void WipeWhole(Buffer& buffer) {
  const size_t size = buffer.size();
  buffer.resize(buffer.capacity());  // within the capacity: the same memory
  if (!buffer.empty()) WipeBytes(&buffer[0], buffer.size() * sizeof(buffer[0]));
  buffer.resize(size);
}
