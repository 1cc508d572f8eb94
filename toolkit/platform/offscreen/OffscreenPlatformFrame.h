// A frame without a window: the frame draws into an image, and code injects events.
// Used for tests and screenshots.
#pragma once

#include <cstdint>

#include "CColor.h"
#include "platform/IPlatformFrame.h"

class CFrame;

class OffscreenPlatformFrame {
public:
  virtual ~OffscreenPlatformFrame() = default;
  // The offscreen platform of frame (null when it has another one).
  static OffscreenPlatformFrame* of(const CFrame* frame);

  // Injected events, delivered at once in frame coordinates; buttons exactly as given.
  virtual void mouseDown(const CPoint& where, CButtonState buttons) = 0;
  virtual void mouseUp(const CPoint& where, CButtonState buttons) = 0;
  virtual void mouseMove(const CPoint& where, CButtonState buttons) = 0;
  virtual void mouseLeave() = 0;
  virtual bool wheel(const CPoint& where, float distance, CButtonState buttons = 0) = 0;
  virtual int32_t keyDown(const CKeyCode& key) = 0;
  virtual int32_t keyUp(const CKeyCode& key) = 0;
  // A press at a time in ms, marked as double click the way a window system press is.
  virtual void mouseDownAt(const CPoint& where, CButtonState buttons, uint32_t timeMs) = 0;
  // Down and up at one point.
  virtual void click(const CPoint& where, CButtonState buttons = kLButton) = 0;
  // Key down and up for each character of text (ASCII / UTF-8 bytes as Latin-1 when invalid).
  virtual void typeText(const char* text) = 0;
  // Sends an expose for the area, as a window system does when a window is uncovered.
  virtual void expose(const CRect& area) = 0;

  // Reads one pixel of the frame's picture (false outside).
  virtual bool getPixel(int32_t x, int32_t y, CColor& color) const = 0;
  // Writes the frame's picture as a PNG file.
  virtual bool writePNG(const char* path) const = 0;
  // Whether the frame asked for the keyboard.
  virtual bool hasKeyboardFocus() const = 0;
  // Number of areas shown so far (each released drawing context counts once).
  virtual int32_t getPresentCount() const = 0;
};

// Platform factory for frames that draw offscreen (the parent is ignored): hand it to a
// CFrame, or return it from the editor's getPlatformFrameFactory.
IPlatformFrame* createOffscreenPlatformFrame(IPlatformFrameOwner* owner, const CRect& rect,
                                             void* parent);
