// The window behind a CFrame: a platform window (X11) or an offscreen image.
#pragma once

#include <cstdint>

#include "CButtonState.h"
#include "CKeyCode.h"
#include "CRect.h"

class CDrawContext;

// Receives the platform window's events; implemented by CFrame. Coordinates are frame
// coordinates, buttons CButton bits (double clicks already marked).
class IPlatformFrameOwner {
public:
  virtual ~IPlatformFrameOwner() = default;
  // Part of the window needs its picture again (expose).
  virtual void platformDrawRect(const CRect& rect) = 0;
  virtual void platformOnMouseDown(const CPoint& where, CButtonState buttons) = 0;
  virtual void platformOnMouseUp(const CPoint& where, CButtonState buttons) = 0;
  virtual void platformOnMouseMoved(const CPoint& where, CButtonState buttons) = 0;
  // The pointer left the window.
  virtual void platformOnMouseExited(CButtonState buttons) = 0;
  virtual bool platformOnWheel(const CPoint& where, float distance, CButtonState buttons) = 0;
  virtual int32_t platformOnKeyDown(CKeyCode& key) = 0;
  virtual int32_t platformOnKeyUp(CKeyCode& key) = 0;
};

class IPlatformFrame {
public:
  virtual ~IPlatformFrame() = default;
  // A context drawing into the frame's back buffer; what it draws is shown when it is
  // released (forget). UI thread.
  virtual CDrawContext* createDrawContext() = 0;
  // Delivers pending window events to the owner (UI thread).
  virtual void processEvents() = 0;
  // Asks for the keyboard, so key events reach the frame.
  virtual void takeKeyboardFocus() = 0;
};

// Makes the platform frame for a CFrame: rect is its place in the parent window, parent
// the system window handle. Null when the window cannot be made. Each frame is given its
// own (see VSTGUIEditorInterface::getPlatformFrameFactory), so frames on different
// platforms live side by side in one process.
using PlatformFrameFactory = IPlatformFrame* (*)(IPlatformFrameOwner* owner, const CRect& rect,
                                                 void* parent);

// The platform of real windows: X11 + cairo.
PlatformFrameFactory defaultPlatformFrameFactory();
