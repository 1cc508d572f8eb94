#include "SignalStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelrender {
namespace {

// Meter values at or below this read as 120 dB of reduction rather than infinity.
constexpr double kSmallestGain = 1e-6;

}  // namespace

double amplitudeToDb(double amplitude) {
  if (amplitude <= 0.0) return -std::numeric_limits<double>::infinity();
  return 20.0 * std::log10(amplitude);
}

double reductionDb(double gr) {
  if (!(gr < 1.0)) return 0.0;  // also not a number
  return -20.0 * std::log10(std::max(gr, kSmallestGain));
}

LevelMeter::LevelMeter(int channels) : channels_(static_cast<size_t>(channels)) {}

template <typename Sample>
void LevelMeter::addSamples(Channel& channel, const Sample* samples, int64_t count) {
  double peak = channel.peak;
  double sum = 0.0;
  for (int64_t i = 0; i < count; ++i) {
    double x = static_cast<double>(samples[i]);
    if (!std::isfinite(x)) {
      ++channel.nonFinite;
      continue;
    }
    double a = std::fabs(x);
    if (a > 1.0) ++channel.clipped;
    peak = std::max(peak, a);
    sum += x * x;
  }
  channel.peak = peak;
  channel.sumSquares += sum;
  channel.count += count;
}

void LevelMeter::add(int channel, const float* samples, int64_t count) {
  addSamples(channels_[static_cast<size_t>(channel)], samples, count);
}

void LevelMeter::add(int channel, const double* samples, int64_t count) {
  addSamples(channels_[static_cast<size_t>(channel)], samples, count);
}

double LevelMeter::rms(int channel) const {
  const Channel& c = channels_[static_cast<size_t>(channel)];
  return c.count > 0 ? std::sqrt(c.sumSquares / static_cast<double>(c.count)) : 0.0;
}

double LevelMeter::peak() const {
  double peak = 0.0;
  for (const Channel& c : channels_) peak = std::max(peak, c.peak);
  return peak;
}

double LevelMeter::rms() const {
  double sum = 0.0;
  int64_t count = 0;
  for (const Channel& c : channels_) {
    sum += c.sumSquares;
    count += c.count;
  }
  return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

int64_t LevelMeter::clippedSamples() const {
  int64_t n = 0;
  for (const Channel& c : channels_) n += c.clipped;
  return n;
}

int64_t LevelMeter::nonFiniteSamples() const {
  int64_t n = 0;
  for (const Channel& c : channels_) n += c.nonFinite;
  return n;
}

void GainReductionMeter::add(double gr, int64_t frames) {
  double db = reductionDb(gr);
  maximumDb_ = std::max(maximumDb_, db);
  weightedSumDb_ += db * static_cast<double>(frames);
  frames_ += frames;
}

double GainReductionMeter::averageDb() const {
  return frames_ > 0 ? weightedSumDb_ / static_cast<double>(frames_) : 0.0;
}

}  // namespace zelrender
