// An audio thread without a sound card: feeds the demo through the plug-in at the pace of
// real time, as a host's audio callback would.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "DemoFeed.h"

namespace zelhost {

class RealtimeAudio {
public:
  // The plug-in must be resumed before start and outlive this object.
  explicit RealtimeAudio(const zelrender::PluginHost& plugin) : feed_(plugin) {}
  ~RealtimeAudio() { stop(); }
  RealtimeAudio(const RealtimeAudio&) = delete;
  RealtimeAudio& operator=(const RealtimeAudio&) = delete;

  // Starts the audio thread (once). Any thread but the audio thread.
  void start();
  // Stops it and waits until its last block is done; safe to call more than once.
  void stop();
  // Frames processed so far (any thread).
  int64_t framesProcessed() const { return processed_.load(std::memory_order_relaxed); }

private:
  void run();

  DemoFeed feed_;
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<int64_t> processed_{0};
};

}  // namespace zelhost
