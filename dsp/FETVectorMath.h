// atan and tanh on vectors of doubles, accurate to a few 1e-12, and the test
// that tells where such a result rounds to float as the exact value would.
// Included once per instruction set (see FETLanes.h); no include guard.
//
// The float path rounds the saturation and the output sample to float. Where
// v (1 - kNear) and v (1 + kNear) round to the same float, so does every value
// between them, among them libm's result (glibc: within 2 ulp, 4e-16): the
// approximation then gives the exact float, and only the few other lanes
// need libm.

namespace fet::ZEL_ISA {

inline constexpr double kNear = 1e-10;  // relative distance covered by the test

using VecF = float __attribute__((vector_size(kLanes * sizeof(float))));

inline VecD absOf(VecD v) { return fromBits(bitsOf(v) & 0x7fffffffffffffff); }

// |magnitude| with the sign of `sign`.
inline VecD withSignOf(VecD magnitude, VecD sign) {
  return fromBits(bitsOf(magnitude) | (bitsOf(sign) & std::int64_t{-0x7fffffffffffffff - 1}));
}

// v rounded to float and widened again, lane by lane.
inline VecD roundedToFloat(VecD v) {
  return __builtin_convertvector(__builtin_convertvector(v, VecF), VecD);
}

// Lanes (all ones) where everything within kNear of v rounds to one float.
inline VecI roundsAlike(VecD v) {
  return roundedToFloat(v * (1.0 - kNear)) == roundedToFloat(v * (1.0 + kNear));
}

// (atan(x) - x) / x^3 for |x| <= tan(pi / 8), as a polynomial in s = x^2
// fitted to 3e-12 relative error of atan(x).
inline VecD atanCubic(VecD s) {
  VecD q = broadcast(-0.04043224825887161);
  q = q * s + 0.07135325122330678;
  q = q * s - 0.09028983500350463;
  q = q * s + 0.11107495135714474;
  q = q * s - 0.14285612511387016;
  q = q * s + 0.1999999891728858;
  q = q * s - 0.3333333333144073;
  return q;
}

// (tanh(x) - x) / x^3 for |x| < 0.55, as a polynomial in s = x^2 fitted to
// 3e-12 relative error of tanh(x).
inline VecD tanhCubic(VecD s) {
  VecD r = broadcast(-0.0009655737070841177);
  r = r * s + 0.0034047594268392586;
  r = r * s - 0.00882613539306836;
  r = r * s + 0.021865647876724795;
  r = r * s - 0.05396806278587338;
  r = r * s + 0.1333333297418237;
  r = r * s - 0.33333333332226117;
  return r;
}

inline constexpr double kAtanSmall = 0.41421356237309503;  // tan(pi / 8)
inline constexpr double kTanhSmall = 0.55;

// atan(t) for any t: reduced to |x| <= tan(pi / 8) through atan(t) = pi/4 +
// atan((t - 1) / (t + 1)) and pi/2 - atan(1 / t).
inline VecD atanApprox(VecD t) {
  const VecD a = absOf(t);
  const VecI big = a > 2.414213562373095;
  const VecI mid = (a > kAtanSmall) & ~big;
  const VecD one = broadcast(1.0);
  const VecD x =
      select(big, -one, select(mid, a - 1.0, a)) / select(big, a, select(mid, a + 1.0, one));
  const VecD base = select(big, broadcast(1.5707963267948966),
                           select(mid, broadcast(0.7853981633974483), broadcast(0.0)));
  const VecD s = x * x;
  return withSignOf(base + (x + x * s * atanCubic(s)), t);
}

// e^v for 0 <= v <= 40: 2^k e^f, |f| <= ln 2 / 2, by its Taylor series.
inline VecD expApprox(VecD v) {
  const VecD shifter = broadcast(0x1.8p52);
  const VecD kd = (v * 1.4426950408889634 + shifter) - shifter;  // nearest integer
  const VecD f = (v - kd * 0.6931471803691238) - kd * 1.9082149292705877e-10;
  VecD p = broadcast(1.0 / 39916800);
  const double inverseFactorials[] = {1.0 / 3628800, 1.0 / 362880, 1.0 / 40320, 1.0 / 5040,
                                      1.0 / 720,     1.0 / 120,    1.0 / 24,    1.0 / 6,
                                      0.5,           1.0,          1.0};
  for (double c : inverseFactorials) p = p * f + c;
  const VecI k = bitsOf(kd + shifter) - bitsOf(shifter);
  return p * fromBits((k + 1023) << 52);
}

// tanh(t) for any t: the polynomial below 0.55, above 1 - 2 / (e^2|t| + 1),
// which is 1 in double from |t| = 20 on.
inline VecD tanhApprox(VecD t) {
  const VecD a = absOf(t);
  const VecD s = a * a;
  const VecD small = a + a * s * tanhCubic(s);
  const VecD e2 = expApprox(2.0 * select(a < 20.0, a, broadcast(20.0)));
  const VecD large = 1.0 - 2.0 / (e2 + 1.0);
  return withSignOf(select(a < kTanhSmall, small, large), t);
}

// saturate() and outputShape() on vectors, one side each; each takes the
// short way when every lane allows it.
inline VecD saturateAbove(VecD s) {  // 10 atan(0.1 s)
  const VecD t = 0.1 * s;
  if (none(absOf(t) > kAtanSmall)) return 10.0 * (t + t * (t * t) * atanCubic(t * t));
  return 10.0 * atanApprox(t);
}

inline VecD saturateBelow(VecD s) {  // 10 tanh(0.1 s)
  const VecD t = 0.1 * s;
  if (none(absOf(t) >= kTanhSmall)) return 10.0 * (t + t * (t * t) * tanhCubic(t * t));
  return 10.0 * tanhApprox(t);
}

inline VecD shapeAbove(VecD w) {  // 0.35355339059327 tanh(z) / w, z = 2.82842712474619 w
  const VecD z = 2.82842712474619 * w;
  // tanh(z) / w = (tanh(z) / z) (z / w), and z / w is the factor to 1e-16.
  if (none(absOf(z) >= kTanhSmall))
    return (0.35355339059327 * 2.82842712474619) * (1.0 + (z * z) * tanhCubic(z * z));
  return 0.35355339059327 * tanhApprox(z) / w;
}

inline VecD shapeBelow(VecD w) {  // 0.25 atan(4 w) / w = atan(z) / z, z = 4 w
  const VecD z = 4.0 * w;
  if (none(absOf(z) > kAtanSmall)) return 1.0 + (z * z) * atanCubic(z * z);
  return 0.25 * atanApprox(z) / w;
}

}  // namespace fet::ZEL_ISA
