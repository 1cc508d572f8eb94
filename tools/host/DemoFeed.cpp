#include "DemoFeed.h"

#include <algorithm>

#include "DemoSignal.h"

namespace zelhost {

DemoFeed::DemoFeed(const zelrender::PluginHost& plugin)
    : plugin_(plugin),
      inLeft_(kFeedBlockSize),
      inRight_(kFeedBlockSize),
      outLeft_(kFeedBlockSize),
      outRight_(kFeedBlockSize) {
  zelrender::AudioBuffer demo = zelrender::makeDemoSignal(kFeedSampleRate);
  const auto frames = static_cast<size_t>(demo.frames());
  left_.resize(frames);
  right_.resize(frames);
  const auto channels = static_cast<size_t>(demo.channels);
  for (size_t i = 0; i < frames; ++i) {
    left_[i] = demo.samples[i * channels];
    right_[i] = demo.samples[i * channels + (channels > 1 ? 1 : 0)];
  }
}

void DemoFeed::processBlock() {
  // Copy in, wrapping around the end of the loop; the plug-in may write its inputs.
  for (size_t filled = 0; filled < static_cast<size_t>(kFeedBlockSize);) {
    if (left_.empty()) {
      std::fill(inLeft_.begin(), inLeft_.end(), 0.0f);
      std::fill(inRight_.begin(), inRight_.end(), 0.0f);
      break;
    }
    size_t n = std::min(static_cast<size_t>(kFeedBlockSize) - filled, left_.size() - position_);
    std::copy_n(left_.begin() + static_cast<std::ptrdiff_t>(position_), n,
                inLeft_.begin() + static_cast<std::ptrdiff_t>(filled));
    std::copy_n(right_.begin() + static_cast<std::ptrdiff_t>(position_), n,
                inRight_.begin() + static_cast<std::ptrdiff_t>(filled));
    filled += n;
    position_ = (position_ + n) % left_.size();
  }
  float* inputs[2] = {inLeft_.data(), inRight_.data()};
  float* outputs[2] = {outLeft_.data(), outRight_.data()};
  plugin_.process(inputs, outputs, kFeedBlockSize);
  processed_ += kFeedBlockSize;
}

void DemoFeed::process(int64_t frames) {
  for (int64_t done = 0; done < frames; done += kFeedBlockSize) processBlock();
}

}  // namespace zelhost
