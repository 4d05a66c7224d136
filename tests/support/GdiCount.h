// Test helper: how many GDI objects this process holds, as the system counts them.
#pragma once
#include <cstddef>

size_t GdiObjectCount();
