// Level and gain-reduction statistics gathered while rendering.
#pragma once

#include <cstdint>
#include <vector>

namespace zelrender {

// Decibels of a linear amplitude; -infinity for 0.
double amplitudeToDb(double amplitude);

// Gain reduction in positive dB for a meter value gr (linear gain, 1 = none); 0 for gr >= 1.
double reductionDb(double gr);

// Peak, RMS, clipped and non-finite sample counts, per channel and over all channels.
class LevelMeter {
public:
  explicit LevelMeter(int channels = 2);

  // Adds `count` samples of one channel.
  void add(int channel, const float* samples, int64_t count);
  void add(int channel, const double* samples, int64_t count);

  int channels() const { return static_cast<int>(channels_.size()); }
  double peak(int channel) const { return channels_[channel].peak; }
  double rms(int channel) const;
  double peak() const;             // over all channels
  double rms() const;              // over all channels
  int64_t clippedSamples() const;  // samples beyond full scale
  int64_t nonFiniteSamples() const;

private:
  struct Channel {
    double peak = 0.0;
    double sumSquares = 0.0;
    int64_t count = 0;
    int64_t clipped = 0;
    int64_t nonFinite = 0;
  };
  template <typename Sample>
  void addSamples(Channel& channel, const Sample* samples, int64_t count);

  std::vector<Channel> channels_;
};

// Gain reduction read from the plug-in's meter once per block, weighted by block length.
class GainReductionMeter {
public:
  // Adds the meter value read after a block of `frames` frames.
  void add(double gr, int64_t frames);

  bool empty() const { return frames_ == 0; }
  double maximumDb() const { return maximumDb_; }
  double averageDb() const;

private:
  double maximumDb_ = 0.0;
  double weightedSumDb_ = 0.0;
  int64_t frames_ = 0;
};

}  // namespace zelrender
