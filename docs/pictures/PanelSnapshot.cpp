#include "PanelSnapshot.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "AEffGUIEditor.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace {

constexpr float kSampleRate = 48000.0f;
constexpr int kBlock = 512;
// Four seconds of tone: the meter's smoothing has long settled by then.
constexpr int kBlocks = 375;
constexpr int kBlocksPerIdle = 3;
// A 220 Hz tone at -4 dBFS: a few dB of reduction with the first factory preset.
constexpr double kToneHz = 220.0;
constexpr double kToneAmplitude = 0.63;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

void runTone(ZelFETcomp* effect) {
  std::vector<float> left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock);
  float* in[2] = {left.data(), right.data()};
  float* out[2] = {outLeft.data(), outRight.data()};
  double phase = 0.0;
  const double step = 2.0 * M_PI * kToneHz / kSampleRate;
  for (int block = 0; block < kBlocks; ++block) {
    for (int i = 0; i < kBlock; ++i) {
      left[i] = right[i] = static_cast<float>(kToneAmplitude * std::sin(phase));
      phase = std::fmod(phase + step, 2.0 * M_PI);
    }
    effect->processReplacing(in, out, kBlock);
    if (block % kBlocksPerIdle == kBlocksPerIdle - 1) {
      effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    }
  }
}

}  // namespace

bool writePanelSnapshot(const std::string& pngPath) {
  ZelFETcomp* effect = createZelFETcomp(&quietHost);
  static_cast<AEffGUIEditor*>(effect->getEditor())
      ->setPlatformFrameFactory(createOffscreenPlatformFrame);
  effect->dispatcher(effSetSampleRate, 0, 0, nullptr, kSampleRate);
  effect->dispatcher(effSetBlockSize, 0, kBlock, nullptr, 0.0f);
  effect->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);

  // The offscreen frame ignores its parent, but the editor refuses a null one.
  void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(1));
  bool written = false;
  if (effect->dispatcher(effEditOpen, 0, 0, parent, 0.0f) == 0) {
    std::fprintf(stderr, "the editor could not be opened offscreen\n");
  } else {
    runTone(effect);
    effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    auto* editor = static_cast<AEffGUIEditor*>(effect->getEditor());
    const OffscreenPlatformFrame* picture = OffscreenPlatformFrame::of(editor->getFrame());
    written = picture != nullptr && picture->writePNG(pngPath.c_str());
    if (!written) std::fprintf(stderr, "cannot write %s\n", pngPath.c_str());
    effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
  }
  effect->dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
  delete effect;
  return written;
}
