#include "RealtimeAudio.h"

#include "Pacer.h"

namespace zelhost {

void RealtimeAudio::start() {
  if (thread_.joinable()) return;
  running_.store(true);
  thread_ = std::thread([this] { run(); });
}

void RealtimeAudio::stop() {
  running_.store(false);
  if (thread_.joinable()) thread_.join();
}

void RealtimeAudio::run() {
  constexpr int64_t kBlockNs = static_cast<int64_t>(kFeedBlockSize * 1e9 / kFeedSampleRate + 0.5);
  Pacer pacer(kBlockNs);
  while (running_.load()) {
    feed_.processBlock();
    processed_.store(feed_.framesProcessed(), std::memory_order_relaxed);
    pacer.wait();
  }
}

}  // namespace zelhost
