// The random sources the generator draws from: the interface, and the operating system's
// cryptographic generator, which the Generate command uses. (Tests keep a deterministic source of
// their own in generator/tests/LcgSource.h.)
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "generator/WipeBytes.h"

// The system's generator failed; the message says so and is shown to the user as it stands.
class RandomSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;

  // A value in 0..n-1 (0 when n is 0).
  virtual uint32_t Below(uint32_t n) = 0;

  // Fills out[0..count) with choices picked at random from choices[0..n), each equally likely.
  virtual void Pick(const unsigned char* choices, uint32_t n, char* out, size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<char>(choices[Below(n)]);
  }
};

// Fills `size` bytes with cryptographic randomness; false when the system cannot.
using FillRandomBytes = bool (*)(unsigned char* data, size_t size);
bool FillFromSystem(unsigned char* data, size_t size);

// The operating system's cryptographic generator, read in blocks, mapped to a range without bias.
// Throws RandomSourceError when the system fails to deliver; it never falls back to a weaker
// source.
class SystemSource : public RandomSource {
 public:
  explicit SystemSource(FillRandomBytes fill = FillFromSystem) : fill_(fill) {}
  // The block holds the bytes the last passwords were made from.
  ~SystemSource() override { WipeBytes(block_, sizeof(block_)); }
  SystemSource(const SystemSource&) = delete;
  SystemSource& operator=(const SystemSource&) = delete;
  uint32_t Below(uint32_t n) override;
  void Pick(const unsigned char* choices, uint32_t n, char* out, size_t count) override;

 private:
  uint8_t NextByte();
  uint32_t NextWord();
  void Refill();

  FillRandomBytes fill_;
  unsigned char block_[4096];
  size_t used_ = sizeof(block_);
};
