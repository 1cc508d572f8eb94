// Runs the built-in demo signal through a plug-in block by block, looping, for hosts that
// only need the plug-in to see audio (nothing is played or kept).
#pragma once

#include <cstdint>
#include <vector>

#include "PluginHost.h"

namespace zelhost {

inline constexpr double kFeedSampleRate = 48000.0;
inline constexpr int kFeedBlockSize = 512;

class DemoFeed {
public:
  // Prepares the demo and the buffers; the plug-in must be resumed before processBlock.
  explicit DemoFeed(const zelrender::PluginHost& plugin);

  // Sends the next block of kFeedBlockSize frames through the plug-in (float precision).
  // Allocates nothing; any one thread at a time.
  void processBlock();
  // Sends at least `frames` frames, in whole blocks.
  void process(int64_t frames);
  int64_t framesProcessed() const { return processed_; }

private:
  const zelrender::PluginHost& plugin_;
  std::vector<float> left_, right_;  // the demo, one channel each
  std::vector<float> inLeft_, inRight_, outLeft_, outRight_;
  size_t position_ = 0;
  int64_t processed_ = 0;
};

}  // namespace zelhost
