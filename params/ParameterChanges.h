// Parameter values handed from whatever thread changes them to the editor's
// user-interface thread: the newest value and a changed bit per slot, without a
// lock and without allocation.
#pragma once

#include <atomic>
#include <cstdint>

class ParameterChanges {
public:
  static constexpr int kSlots = 16;
  // A bit beside the sixteen parameter bits: the selected preset or its name changed.
  static constexpr uint32_t kPresetBit = 1u << kSlots;
  static constexpr uint32_t kAllParameters = (1u << kSlots) - 1;

  ParameterChanges() {
    for (auto& v : values) v.store(0.0f, std::memory_order_relaxed);
  }

  // Any thread: index now holds value. Indices outside 0 to 15 are ignored.
  void record(int index, float value) {
    if (index < 0 || index >= kSlots) return;
    values[index].store(value, std::memory_order_relaxed);
    changed.fetch_or(1u << index, std::memory_order_release);
  }
  // Any thread: every parameter and the preset count as changed.
  void markAll() { changed.fetch_or(kAllParameters | kPresetBit, std::memory_order_release); }
  // Any thread: the preset selection or name changed.
  void markPreset() { changed.fetch_or(kPresetBit, std::memory_order_release); }
  // Editor thread: the bits set since the last call, cleared. Values read after this
  // call are at least as new as the changes the bits report.
  uint32_t take() { return changed.exchange(0, std::memory_order_acquire); }
  // Any thread: the newest value recorded for index (0 outside 0 to 15).
  float value(int index) const {
    return index >= 0 && index < kSlots ? values[index].load(std::memory_order_relaxed) : 0.0f;
  }

private:
  std::atomic<float> values[kSlots];
  std::atomic<uint32_t> changed{0};
};
