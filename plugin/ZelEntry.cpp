// The plug-in's one exported symbol: the host calls it to create an instance.
#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  if (!audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f)) return nullptr;
  return createZelFETcomp(audioMaster);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(
    audioMasterCallback audioMaster) {
  if (!audioMaster) return nullptr;
  if (!audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f)) return nullptr;
  AudioEffect* effect = createEffectInstance(audioMaster);
  return effect ? effect->getAeffect() : nullptr;
}
