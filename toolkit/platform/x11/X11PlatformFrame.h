// The X11 + cairo platform: a child window of the host's window with its own Display
// connection, events drained at idle, double-buffered drawing.
#pragma once

#include "platform/IPlatformFrame.h"

// Platform factory of real windows (the default): parent is the X11 window id of the host's window.
// Null when no display can be opened or the parent window does not exist.
IPlatformFrame* createX11PlatformFrame(IPlatformFrameOwner* owner, const CRect& rect, void* parent);
