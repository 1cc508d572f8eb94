#include "platform/offscreen/OffscreenPlatformFrame.h"

#include <cstring>

#include "CFrame.h"
#include "platform/DoubleClickDetector.h"
#include "platform/cairo/BackBufferFrame.h"

namespace {

class OffscreenFrame : public BackBufferFrame, public OffscreenPlatformFrame {
public:
  OffscreenFrame(IPlatformFrameOwner* frameOwner, const CRect& rect)
      : BackBufferFrame(frameOwner, rect) {}

  void processEvents() override {}
  void takeKeyboardFocus() override { keyboardFocus = true; }

  void mouseDown(const CPoint& where, CButtonState buttons) override {
    owner->platformOnMouseDown(where, buttons);
  }
  void mouseUp(const CPoint& where, CButtonState buttons) override {
    owner->platformOnMouseUp(where, buttons);
  }
  void mouseMove(const CPoint& where, CButtonState buttons) override {
    owner->platformOnMouseMoved(where, buttons);
  }
  void mouseLeave() override { owner->platformOnMouseExited(0); }
  bool wheel(const CPoint& where, float distance, CButtonState buttons) override {
    return owner->platformOnWheel(where, distance, buttons);
  }
  int32_t keyDown(const CKeyCode& key) override {
    CKeyCode k = key;
    return owner->platformOnKeyDown(k);
  }
  int32_t keyUp(const CKeyCode& key) override {
    CKeyCode k = key;
    return owner->platformOnKeyUp(k);
  }
  void mouseDownAt(const CPoint& where, CButtonState buttons, uint32_t timeMs) override {
    owner->platformOnMouseDown(where, doubleClicks.onPress(where, buttons, timeMs));
  }
  void click(const CPoint& where, CButtonState buttons) override {
    mouseDown(where, buttons);
    mouseUp(where, buttons);
  }
  void typeText(const char* text) override {
    if (!text) return;
    for (auto s = reinterpret_cast<const unsigned char*>(text); *s; ++s) {
      CKeyCode k;
      k.character = *s;
      keyDown(k);
      keyUp(k);
    }
  }
  void expose(const CRect& area) override { owner->platformDrawRect(area); }

  bool getPixel(int32_t x, int32_t y, CColor& color) const override {
    return backBuffer && backBuffer->getPixel(x, y, color);
  }
  bool writePNG(const char* path) const override {
    return backBuffer && backBuffer->writePNG(path);
  }
  bool hasKeyboardFocus() const override { return keyboardFocus; }
  int32_t getPresentCount() const override { return presents; }

protected:
  void present(const CRect&) override { ++presents; }

private:
  DoubleClickDetector doubleClicks;
  int32_t presents = 0;
  bool keyboardFocus = false;
};

}  // namespace

OffscreenPlatformFrame* OffscreenPlatformFrame::of(const CFrame* frame) {
  return frame ? dynamic_cast<OffscreenPlatformFrame*>(frame->getPlatformFrame()) : nullptr;
}

IPlatformFrame* createOffscreenPlatformFrame(IPlatformFrameOwner* owner, const CRect& rect, void*) {
  auto* frame = new OffscreenFrame(owner, rect);
  if (!frame->getBackBuffer()) {
    delete frame;
    return nullptr;
  }
  return frame;
}
