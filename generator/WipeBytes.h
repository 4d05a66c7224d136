// The one way memory that held secrets is overwritten: the random block here, the list's text in
// the framework's typed Wipe overloads on top of it. In the lowest layer so that both can use it.
#pragma once
#include <cstddef>

// Overwrites the bytes with zeros in a way the compiler may not leave out as dead stores.
void WipeBytes(void* data, size_t size);
