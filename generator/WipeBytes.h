// The one way memory that held secrets is overwritten: the random block here, the list's text in
// the framework's typed Wipe overloads on top of it. In the lowest layer so that both can use it.
#pragma once
#include <cstddef>
#include <string>

// Overwrites the bytes with zeros in a way the compiler may not leave out as dead stores.
void WipeBytes(void* data, size_t size);

// Overwrites the whole buffer, up to its capacity: a text that was shortened, or cleared, still
// holds its old characters past its end. Sizes stay as they were.
template <typename Buffer>
void WipeToCapacity(Buffer& buffer) {
  const size_t size = buffer.size();
  buffer.resize(buffer.capacity());  // within the capacity: the same buffer, its tail now in reach
  if (!buffer.empty()) WipeBytes(&buffer[0], buffer.size() * sizeof(buffer[0]));
  buffer.resize(size);
}

// Gives the text a buffer of at least `capacity` bytes, wiping the old one: grown by itself, a
// string would free its old buffer as it was.
inline void ReserveWiped(std::string& text, size_t capacity) {
  if (capacity <= text.capacity()) return;
  std::string grown;
  grown.reserve(capacity);
  grown.append(text);
  WipeToCapacity(text);
  text.swap(grown);
}
