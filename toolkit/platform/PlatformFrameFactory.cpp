#include <atomic>

#include "platform/IPlatformFrame.h"
#include "platform/x11/X11PlatformFrame.h"

namespace {
std::atomic<PlatformFrameFactory> currentFactory{createX11PlatformFrame};
}

void setPlatformFrameFactory(PlatformFrameFactory factory) {
  currentFactory = factory ? factory : createX11PlatformFrame;
}

PlatformFrameFactory getPlatformFrameFactory() { return currentFactory; }
