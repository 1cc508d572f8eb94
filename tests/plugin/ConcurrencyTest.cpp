// Several host threads at once: audio, automation, displays, names and chunks.
// Run under ThreadSanitizer in CI.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "PluginHost.h"
#include "XPlatMutex.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

TEST(Concurrency, AudioAutomationDisplaysAndChunksTogether) {
  PluginHost host;
  ASSERT_NE(host.create(), nullptr);
  AEffect* e = host.effect;
  host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  host.dispatch(effMainsChanged, 0, 1);

  std::atomic<bool> stop{false};
  std::thread audio([&] {
    std::vector<float> l(256), r(256), ol(256), orr(256);
    for (size_t i = 0; i < l.size(); ++i) l[i] = r[i] = std::sin(static_cast<float>(i) * 0.1f);
    float* ins[2] = {l.data(), r.data()};
    float* outs[2] = {ol.data(), orr.data()};
    while (!stop) e->processReplacing(e, ins, outs, 256);
  });
  std::thread automation([&] {
    for (int i = 0; !stop; ++i) e->setParameter(e, i % 16, static_cast<float>(i % 100) / 99.0f);
  });
  std::thread displays([&] {
    char text[256];
    for (int i = 0; !stop; ++i) {
      e->dispatcher(e, effGetParamDisplay, i % 18, 0, text, 0.0f);
      e->dispatcher(e, effGetProgramNameIndexed, i % 48, 0, text, 0.0f);
      (void)e->getParameter(e, 17);
    }
  });
  std::thread chunks([&] {
    unsigned char chunk[32] = {};
    const int32_t marker = 0x01000000, id = 0x4B765264;
    std::memcpy(chunk, &marker, 4);
    std::memcpy(chunk + 4, &id, 4);
    for (int i = 0; !stop; ++i) {
      const int32_t preset = i % 48;
      std::memcpy(chunk + 12, &preset, 4);
      e->dispatcher(e, effSetChunk, 0, sizeof(chunk), chunk, 0.0f);
      void* data = nullptr;
      e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f);
      char name[32] = "Renamed";
      e->dispatcher(e, effSetProgramName, 0, 0, name, 0.0f);
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  stop = true;
  for (auto* t : {&audio, &automation, &displays, &chunks}) t->join();
  EXPECT_TRUE(std::isfinite(e->getParameter(e, 17)));
}

// An effect whose lock a test can hold, as a long audio block would.
class HeldEffect : public ZelFETcomp {
public:
  HeldEffect() : ZelFETcomp(&answerVersion, &makeZelEditorObject) {}
  XPlatMutex* heldLock() const { return effectLock(); }
  static VstIntPtr answerVersion(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
  }
};

TEST(Concurrency, ParameterChangeThatMissesTheLockIsAppliedLater) {
  HeldEffect effect;
  std::atomic<bool> held{false}, release{false};
  std::thread blocker([&] {
    ASSERT_TRUE(XPlatLockMutex(effect.heldLock(), 0));
    held = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    XPlatUnlockMutex(effect.heldLock());
  });
  while (!held) std::this_thread::yield();

  const auto start = std::chrono::steady_clock::now();
  effect.setParameter(kRatio, 0.5f);  // waits 500 ms, then keeps the value pending
  effect.setParameter(kRatio, 1.0f);  // the newest value wins
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(900));

  // The store already records it; the engine has not seen it yet.
  EXPECT_FLOAT_EQ(effect.CPresetSystemEffect::getParameter(kRatio), 1.0f);
  char text[64] = {};
  effect.getParameterDisplay(kRatio, text);
  EXPECT_STREQ(text, "4.0:1");

  release = true;
  blocker.join();
  // The next block applies it under the lock, and the lock was never released twice.
  std::vector<float> l(32, 0.0f), r(32, 0.0f);
  float* io[2] = {l.data(), r.data()};
  effect.processReplacing(io, io, 32);
  effect.getParameterDisplay(kRatio, text);
  EXPECT_STREQ(text, "16.0:1");
  EXPECT_TRUE(XPlatLockMutex(effect.heldLock(), 10));
  XPlatUnlockMutex(effect.heldLock());
}

}  // namespace
