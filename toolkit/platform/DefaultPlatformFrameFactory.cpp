#include "platform/IPlatformFrame.h"
#include "platform/x11/X11PlatformFrame.h"

PlatformFrameFactory defaultPlatformFrameFactory() { return createX11PlatformFrame; }
