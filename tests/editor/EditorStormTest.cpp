// Automation storm: two threads set every parameter as fast as they can, a third
// processes audio and a fourth loads chunks, while this thread opens, idles and
// closes the editor again and again. Run under ThreadSanitizer and AddressSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "CControl.h"
#include "Zel245Editor.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(ConcurrentEditorStorm, AutomationAudioAndChunksWhileTheEditorOpensAndCloses) {
  // Another instance's editor stays open, as in a session, so the panel's pictures stay
  // decoded and each of the cycles below costs what a reopen costs then.
  ZelFETcomp* neighbour = createZelFETcomp(&host);
  static_cast<Zel245Editor*>(neighbour->getEditor())
      ->setPlatformFrameFactory(createOffscreenPlatformFrame);
  void* window = reinterpret_cast<void*>(static_cast<uintptr_t>(0x1234));
  ASSERT_EQ(neighbour->dispatcher(effEditOpen, 0, 0, window, 0.0f), 1);
  neighbour->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);

  ZelFETcomp* effect = createZelFETcomp(&host);
  static_cast<Zel245Editor*>(effect->getEditor())
      ->setPlatformFrameFactory(createOffscreenPlatformFrame);
  AEffect* e = effect->getAeffect();
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  void* saved = nullptr;
  const VstIntPtr chunkSize = e->dispatcher(e, effGetChunk, 0, 0, &saved, 0.0f);
  ASSERT_GT(chunkSize, 0);
  const std::vector<unsigned char> chunk(static_cast<unsigned char*>(saved),
                                         static_cast<unsigned char*>(saved) + chunkSize);

  std::atomic<bool> stop{false};
  auto automate = [&](int seed) {
    for (int i = seed; !stop; ++i) {
      for (int index = 0; index < 16; ++index) {
        e->setParameter(e, index, static_cast<float>((i * 7 + index * 13) % 101) / 100.0f);
      }
    }
  };
  std::thread automation1(automate, 0);
  std::thread automation2(automate, 50);
  std::thread audio([&] {
    std::vector<float> l(128), r(128), ol(128), orr(128);
    for (size_t i = 0; i < l.size(); ++i) l[i] = r[i] = std::sin(static_cast<float>(i) * 0.2f);
    float* ins[2] = {l.data(), r.data()};
    float* outs[2] = {ol.data(), orr.data()};
    while (!stop) e->processReplacing(e, ins, outs, 128);
  });
  std::thread chunks([&] {
    while (!stop) {
      e->dispatcher(e, effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()),
                    const_cast<unsigned char*>(chunk.data()), 0.0f);
    }
  });

  int opened = 0;
  for (int cycle = 0; cycle < 500; ++cycle) {
    opened += e->dispatcher(e, effEditOpen, 0, 0, window, 0.0f) == 1;
    e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
  }
  stop = true;
  automation1.join();
  automation2.join();
  audio.join();
  chunks.join();
  EXPECT_EQ(opened, 500);

  // After the storm the editor shows the values the effect holds.
  ASSERT_EQ(e->dispatcher(e, effEditOpen, 0, 0, window, 0.0f), 1);
  for (int index = 0; index < 16; ++index) e->setParameter(e, index, 0.25f + index / 64.0f);
  e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
  ParameterChanges& changes = effect->getParameterChanges();
  EXPECT_EQ(changes.take(), 0u);
  auto* editor = static_cast<Zel245Editor*>(effect->getEditor());
  for (int index = 0; index < 16; ++index) {
    EXPECT_FLOAT_EQ(changes.value(index), e->getParameter(e, index)) << index;
    if (CControl* control = editor->getParameterControl(index)) {
      EXPECT_FLOAT_EQ(control->getValue(), e->getParameter(e, index)) << index;
    }
  }
  e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
  neighbour->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
  delete neighbour;
}

}  // namespace
