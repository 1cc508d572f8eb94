#pragma once

// Upper bounds on the envelope target for one ratio exponent, over buckets of
// detector products, filled in as the kernel meets them. The target grows with
// the product, so a bucket's bound, taken at its upper edge, holds for every
// product in it; a step whose bucket bound is at most the envelope cannot
// rise. The table is a cache: what the kernel computes never depends on it.

#include <bit>
#include <cmath>
#include <cstdint>

namespace fet {

struct TargetBoundTable {
  // Buckets split u = a - 1 from kLowest to kLowest 2^kOctaves into
  // 2^kPerOctaveLog2 parts per octave; smaller u share bucket 0.
  static constexpr double kLowest = 0x1p-8;  // lower edge of bucket 1 and up
  static constexpr int kOctaves = 24;
  static constexpr int kPerOctaveLog2 = 7;
  static constexpr int kBuckets = kOctaves << kPerOctaveLog2;
  static constexpr std::int64_t kLowBits = std::bit_cast<std::int64_t>(kLowest);

  struct Entry {
    float bound;               // rounded up from the double bound
    std::uint32_t generation;  // filled for this generation; 0: never
  };

  std::uint64_t exponentBits = ~std::uint64_t{0};  // e the current generation is for
  std::uint32_t generation = 1;
  Entry entries[kBuckets] = {};

  // Starts a new generation when e differs from the one the entries are for.
  void useExponent(double e) {
    const auto bits = std::bit_cast<std::uint64_t>(e);
    if (bits != exponentBits) {
      exponentBits = bits;
      if (++generation == 0) {  // wrapped: forget every entry
        for (Entry& entry : entries) entry.generation = 0;
        generation = 1;
      }
    }
  }

  // Stores the bound of bucket j for the current generation, rounded up to
  // float; returns what it stored.
  float store(int j, double bound) {
    float up = static_cast<float>(bound);
    if (static_cast<double>(up) < bound) up = std::nextafter(up, HUGE_VALF);
    entries[j] = {up, generation};
    return up;
  }

  // Bucket of u > 0, or kBuckets where u is beyond the table.
  static int bucket(double u) {
    const std::int64_t j = (std::bit_cast<std::int64_t>(u) - kLowBits) >> (52 - kPerOctaveLog2);
    return j < 0 ? 0 : j < kBuckets ? static_cast<int>(j) : kBuckets;
  }

  // The smallest detector product above every product of bucket j: u below
  // the bucket's upper edge B means a - 1 <= B, and the result is >= 1 + B.
  static double upperProduct(int j) {
    const double edge =
        std::bit_cast<double>(kLowBits + (std::int64_t{j + 1} << (52 - kPerOctaveLog2)));
    return std::nextafter(1.0 + edge, HUGE_VAL);
  }
};

}  // namespace fet
