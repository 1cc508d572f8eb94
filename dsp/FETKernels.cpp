#include "FETKernels.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace fet {
namespace {

// True when the caller's floating-point mode flushes denormal results to zero
// or reads denormal operands as zero (some hosts set both on audio threads).
inline bool denormalsFlushed() {
#if defined(__SSE__)
  constexpr unsigned kFlushToZero = 0x8000, kDenormalsAreZero = 0x0040;
  return (_mm_getcsr() & (kFlushToZero | kDenormalsAreZero)) != 0;
#else
  return false;
#endif
}

}  // namespace
}  // namespace fet

// Everything included above is compiled for every x86-64 processor; only the
// kernel bodies below are compiled once per instruction set, each in its own
// namespace, so no shared inline function ever carries newer instructions.

#define ZEL_ISA baseline
#define ZEL_LANES 2
#include "FETKernelBody.h"
#undef ZEL_LANES
#undef ZEL_ISA

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,fma,bmi,bmi2,popcnt"))), \
                             apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,fma,bmi,bmi2,popcnt")
#endif
#define ZEL_ISA x86_64_v3
#define ZEL_LANES 4
#include "FETKernelBody.h"
#undef ZEL_LANES
#undef ZEL_ISA
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

namespace fet {

const KernelSet& baselineKernels() {
  static constexpr KernelSet kernels{"baseline",
                                     &baseline::compressFloat,
                                     &baseline::compressDouble,
                                     &baseline::targetBound,
                                     &baseline::atanOne,
                                     &baseline::tanhOne};
  return kernels;
}

const KernelSet* v3Kernels() {
#if defined(__x86_64__)
  static constexpr KernelSet kernels{"x86-64-v3",
                                     &x86_64_v3::compressFloat,
                                     &x86_64_v3::compressDouble,
                                     &x86_64_v3::targetBound,
                                     &x86_64_v3::atanOne,
                                     &x86_64_v3::tanhOne};
  static const bool supported = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") && __builtin_cpu_supports("avx2") &&
           __builtin_cpu_supports("fma") && __builtin_cpu_supports("bmi") &&
           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
  }();
  return supported ? &kernels : nullptr;
#else
  return nullptr;
#endif
}

const KernelSet& bestKernels() {
  static const KernelSet& best = v3Kernels() != nullptr ? *v3Kernels() : baselineKernels();
  return best;
}

}  // namespace fet
