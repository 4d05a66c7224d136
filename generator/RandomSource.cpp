// The unbiased mapping of system randomness to a range.
#include "generator/RandomSource.h"

void SystemSource::Refill() {
  if (!fill_(block_, sizeof(block_)))
    throw RandomSourceError("The system's random number generator failed");
  used_ = 0;
}

uint8_t SystemSource::NextByte() {
  if (used_ == sizeof(block_)) Refill();
  return block_[used_++];
}

uint32_t SystemSource::NextWord() {
  if (sizeof(block_) - used_ < 4) Refill();
  const unsigned char* p = block_ + used_;
  used_ += 4;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Lemire's multiply-and-reject: the low part of x*n falls below (2^k mod n) for exactly the surplus
// values of x, which are drawn again. Ranges up to 256 (all the generator asks for) take one byte.
uint32_t SystemSource::Below(uint32_t n) {
  if (n == 0) return 0;
  if (n <= 256) {
    uint32_t m = uint32_t(NextByte()) * n;
    if ((m & 0xFF) < n) {
      const uint32_t threshold = (256 - n) % n;
      while ((m & 0xFF) < threshold) m = uint32_t(NextByte()) * n;
    }
    return m >> 8;
  }
  uint64_t m = uint64_t(NextWord()) * n;
  if (uint32_t(m) < n) {
    const uint32_t threshold = uint32_t(-n) % n;
    while (uint32_t(m) < threshold) m = uint64_t(NextWord()) * n;
  }
  return uint32_t(m >> 32);
}

// The same mapping as Below, one byte per try, in a loop over the block the compiler can keep
// tight.
void SystemSource::Pick(const unsigned char* choices, uint32_t n, char* out, size_t count) {
  if (n == 0 || n > 256) {
    RandomSource::Pick(choices, n, out, count);
    return;
  }
  const uint32_t threshold = (256 - n) % n;
  size_t done = 0;
  while (done < count) {
    if (used_ == sizeof(block_)) Refill();
    size_t at = used_;
    for (; at < sizeof(block_) && done < count; ++at) {
      // Written every time, kept only when accepted: no branch to mispredict.
      const uint32_t m = uint32_t(block_[at]) * n;
      out[done] = static_cast<char>(choices[m >> 8]);
      done += (m & 0xFF) >= threshold;
    }
    used_ = at;
  }
}
