// Vectors of doubles for one instruction set, and the few operations the
// kernels need on them. No include guard: FETKernels.cpp includes this once
// per instruction set, with ZEL_ISA naming the namespace and ZEL_LANES the
// number of doubles per vector (2 for SSE2, 4 for AVX2).

namespace fet::ZEL_ISA {

inline constexpr int kLanes = ZEL_LANES;
using VecD = double __attribute__((vector_size(kLanes * sizeof(double))));
using VecI = std::int64_t __attribute__((vector_size(kLanes * sizeof(double))));

inline VecD broadcast(double v) { return VecD{} + v; }

inline VecD load(const double* p) {
  VecD v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void store(double* p, VecD v) { std::memcpy(p, &v, sizeof v); }

inline VecI bitsOf(VecD v) { return (VecI)v; }
inline VecD fromBits(VecI v) { return (VecD)v; }

// Lane-wise m ? a : b for a comparison mask m (all ones or all zeros per lane).
inline VecD select(VecI m, VecD a, VecD b) { return fromBits((m & bitsOf(a)) | (~m & bitsOf(b))); }

inline VecD maxOf(VecD a, VecD b) { return select(a > b, a, b); }

// True when every lane of the mask is zero.
inline bool none(VecI m) {
  std::int64_t any = 0;
  for (int i = 0; i < kLanes; ++i) any |= m[i];
  return any == 0;
}

}  // namespace fet::ZEL_ISA
