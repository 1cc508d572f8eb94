// A cheap upper bound on the envelope target envelopeTarget(a, e), lane by
// lane, without any libm call. Included once per instruction set (see
// FETLanes.h); no include guard.
//
// When the bound is at most the envelope, the target cannot be above it, so the
// attack half of the envelope step leaves the envelope exactly as it is and
// the three libm calls of the target need not run. The bound follows the
// target's own floating-point steps, each with its rounding and libm error
// allowed for (libm within 64 ulp, far more than glibc's 1 ulp):
//   p - 1 <= 10 g(t1) + s (1 + u)     u = a - 1, t1 = 0.05 (u + u), g(y) = y - atan(y)
//   z     <= (1 + P)^e - 1 + s (1 + .) z = pow(p, e) - 1
//   T     <= 0.35 g(2.857.. z) + s z  T = z - 0.35 atan(2.857.. z)
// with s = 2^-40, and g, log1p and expm1 replaced by approximations padded to
// upper bounds. Every step is monotone, so bound(a, e) also bounds the target
// of any smaller detector product with the same e.

namespace fet::ZEL_ISA {

inline constexpr double kSlack = 0x1p-40;

// Upper bound for g(y) = y - atan(y), y >= 0. Below 1, g(y) = y^3 h(y^2) with
// h fitted to 5e-8 relative error; above, g(y) = y - pi/2 + r - g(r), r = 1/y.
inline VecD gUpper(VecD y) {
  const VecD one = broadcast(1.0);
  const VecI big = y > one;
  const VecD r = one / maxOf(y, one);
  const VecD t = select(big, r, y);
  const VecD s = t * t;
  VecD h = broadcast(0.002386997316724113);
  h = h * s - 0.013507771427020535;
  h = h * s + 0.03587153898204336;
  h = h * s - 0.06250169444749563;
  h = h * s + 0.08656880430154522;
  h = h * s - 0.11033764115313455;
  h = h * s + 0.14278568748210602;
  h = h * s - 0.1999973932983558;
  h = h * s + 0.3333333173306352;
  const VecD gt = t * s * h;
  // pi/2 rounds down to the double below, which only raises the result.
  const VecD large = ((y - 1.5707963267948966) + (r - gt)) * (1.0 + 1e-5) + 0x1p-48 * (y + 2.0);
  return select(big, large, gt * (1.0 + 1e-5));
}

// Upper bound for log(1 + p), p >= 0: the alternating series below 2^-6,
// else log(2^k m) = k log 2 + 2 atanh((m - 1) / (m + 1)), m in [0.707, 1.414).
inline VecD log1pUpper(VecD p) {
  const VecD series = p * (1.0 + p * (-0.5 + p * (1.0 / 3 + p * (-0.25 + p * 0.2))));
  const VecD x = 1.0 + p;
  constexpr std::int64_t kSqrtHalfBits = 0x3fe6a09e667f3bcd;
  const VecI shifted = bitsOf(x) - kSqrtHalfBits;
  const VecI k = shifted >> 52;  // x >= 1, so 0 <= k < 1024
  const VecD m = fromBits((shifted & 0x000fffffffffffff) + kSqrtHalfBits);
  const VecD kd = fromBits(k + 0x4330000000000000) - 0x1p52;
  const VecD f = (m - 1.0) / (m + 1.0);
  const VecD f2 = f * f;
  const VecD atanh =
      f * (1.0 + f2 * (1.0 / 3 + f2 * (1.0 / 5 + f2 * (1.0 / 7 + f2 * (1.0 / 9 + f2 / 11)))));
  const VecD general = (kd * 0.6931471805599453 + 2.0 * atanh) * (1.0 + kSlack) + 1e-10;
  return select(p < 0x1p-6, series * (1.0 + kSlack), general);
}

// Upper bound for exp(v) - 1, 0 <= v <= 2: Taylor series of v / 4, squared up
// twice through e^2v - 1 = E (E + 2).
inline VecD expm1Upper(VecD v) {
  const VecD q = 0.25 * v;
  VecD e = broadcast(1.0 / 362880);
  e = e * q + 1.0 / 40320;
  e = e * q + 1.0 / 5040;
  e = e * q + 1.0 / 720;
  e = e * q + 1.0 / 120;
  e = e * q + 1.0 / 24;
  e = e * q + 1.0 / 6;
  e = e * q + 0.5;
  e = e * q + 1.0;
  e = e * q;
  e = e * (e + 2.0);
  e = e * (e + 2.0);
  return e * (1.0 + 1e-7);
}

// Upper bound on envelopeTarget(a, e) for detector products a >= 0 and ratio
// exponents 0 <= e <= 0.125: exactly 0 where the target is exactly 0 (a <= 1
// or e = 0), +inf where a is beyond the range the bound covers.
inline VecD targetUpper(VecD a, VecD e) {
  const VecD u = a - 1.0;
  const VecD t1 = 0.05 * (u + u);
  // 10 g(t1) with t1 capped so the lanes outside the range stay finite.
  const VecD tc = select(t1 < 65536.0, t1, broadcast(0.0));
  const VecD p = 10.0 * gUpper(tc) + kSlack * (1.0 + u);
  const VecD h = expm1Upper(e * log1pUpper(p) * (1.0 + kSlack));
  const VecD z = h + kSlack * (1.0 + h);
  const VecD bound = (0.35 * gUpper(1.4285714285714286 * (z + z)) + kSlack * z) * (1.0 + kSlack);
  const VecD zero = broadcast(0.0);
  const VecD out = select((t1 < 65536.0) & (e <= 0.125), bound, broadcast(HUGE_VAL));
  return select((u > zero) & (e != zero), out, zero);
}

}  // namespace fet::ZEL_ISA
