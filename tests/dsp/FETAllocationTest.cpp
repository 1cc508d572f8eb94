// Processing must not touch the heap. This binary replaces the global
// allocation functions to count calls while a flag is set (all forms, so that
// a sanitizer's own versions never see memory from these).

#include "DspTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
}  // namespace

void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
  return std::malloc(n == 0 ? 1 : n);
}
void* operator new(std::size_t n) {
  if (void* p = operator new(n, std::nothrow)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

TEST(FETAllocation, ProcessingDoesNotAllocate) {
  auto e = dsptest::makeEngine([](FETCompressor& c) { c.setThreshold(0.1f); }, 48000);
  dsptest::StereoBlock<float> bf(512);
  dsptest::StereoBlock<double> bd(512);

  // Sanity: the counter sees allocations at all.
  static int* volatile sink = nullptr;  // keeps the compiler from eliding the pair
  counting = true;
  sink = new int[3];
  counting = false;
  delete[] sink;
  ASSERT_EQ(allocations.exchange(0), 1);

  counting = true;
  for (int k = 0; k < 20; ++k) {
    dsptest::runSine(*e, bf, 0.8, 1);
    dsptest::runSine(*e, bd, 0.8, 1);
    e->setPower(static_cast<float>(k % 2));  // bypass path too
  }
  counting = false;
  EXPECT_EQ(allocations.load(), 0);
}
