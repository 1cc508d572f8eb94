#include "Texture.h"

#include "Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelart {
namespace {

// Running box average of `length` samples over v, in place; v keeps its size.
void boxSmooth(std::vector<double>& v, int length) {
  std::vector<double> out(v.size());
  double sum = 0;
  const std::size_t n = v.size(), len = static_cast<std::size_t>(length);
  for (std::size_t i = 0; i < n; ++i) {
    sum += v[i];
    if (i >= len) sum -= v[i - len];
    out[i] = sum / static_cast<double>(std::min(i + 1, len));
  }
  v.swap(out);
}

// Scales v to zero mean and unit deviation.
void normalise(std::vector<double>& v, std::size_t from) {
  double mean = 0, sq = 0;
  const double n = static_cast<double>(v.size() - from);
  for (std::size_t i = from; i < v.size(); ++i) mean += v[i];
  mean /= n;
  for (std::size_t i = from; i < v.size(); ++i) sq += (v[i] - mean) * (v[i] - mean);
  const double sd = std::sqrt(sq / n);
  for (double& x : v) x = sd > 0 ? (x - mean) / sd : 0;
}

}  // namespace

void paintBrushedMetal(Image& image, const MetalStyle& style, std::uint64_t seed) {
  Random random(seed);
  const int width = image.width(), height = image.height();
  const int lead = 2 * style.streakLength;  // warm-up samples so the left edge is smeared too
  std::vector<double> streak(static_cast<std::size_t>(width + lead));
  double rowLevel = 0;

  image.beginPixels();
  for (int y = 0; y < height; ++y) {
    for (double& s : streak) s = random.gaussian();
    boxSmooth(streak, style.streakLength);
    boxSmooth(streak, style.streakLength / 2);
    normalise(streak, static_cast<std::size_t>(lead));
    rowLevel = 0.6 * rowLevel + 0.4 * random.gaussian();

    std::uint32_t* px = image.row(y);
    for (int x = 0; x < width; ++x) {
      const double f = 1.0 + style.streak * streak[static_cast<std::size_t>(x + lead)] +
                       style.rowVariation * rowLevel + style.grain * random.gaussian();
      px[x] = packPixel(style.base.r * f, style.base.g * f, style.base.b * f, 1.0);
    }
  }
  image.endPixels();
}

}  // namespace zelart
