#include "VSTGUIEditorInterface.h"

#include <atomic>

namespace {
std::atomic<int32_t> knobMode{kCircularMode};
}

void setToolkitKnobMode(int32_t mode) { knobMode = mode; }

int32_t getToolkitKnobMode() { return knobMode; }

int32_t VSTGUIEditorInterface::getKnobMode() const { return getToolkitKnobMode(); }

PlatformFrameFactory VSTGUIEditorInterface::getPlatformFrameFactory() const {
  return defaultPlatformFrameFactory();
}
