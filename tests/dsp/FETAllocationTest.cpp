// Processing must not touch the heap. This binary replaces the global
// allocation functions to count calls while a flag is set.

#include "DspTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* countedAlloc(std::size_t size)
{
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) { return countedAlloc(size); }
void* operator new[](std::size_t size) { return countedAlloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(FETAllocation, ProcessingDoesNotAllocate)
{
    auto e = dsptest::makeEngine(48000.0f);
    e->setThreshold(0.1f);
    dsptest::StereoBlock<float> bf(512);
    dsptest::StereoBlock<double> bd(512);
    dsptest::fillSine(bf, 0.8, 0.01);
    dsptest::fillSine(bd, 0.8, 0.01);

    // Sanity: the counter sees allocations at all.
    static int* volatile sink = nullptr; // keeps the compiler from eliding the pair
    counting = true;
    sink = new int(3);
    counting = false;
    delete sink;
    ASSERT_EQ(allocations.exchange(0), 1);

    counting = true;
    for (int k = 0; k < 20; ++k) {
        dsptest::run(*e, bf);
        dsptest::run(*e, bd);
        e->setPower(static_cast<float>(k % 2)); // bypass path too
        (void)e->getGR();
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
}

} // namespace
