// Shared helpers of the toolkit tests: offscreen frames, a recording editor, simple views.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CBitmap.h"
#include "CControl.h"
#include "CControlListener.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include "IPlatformBitmap.h"
#include "VSTGUIEditorInterface.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

using Events = std::vector<std::string>;

// Records the gestures the controls report; its frames draw offscreen.
class RecordingEditor : public VSTGUIEditorInterface {
public:
  void beginEdit(int32_t index) override { events.push_back("begin " + std::to_string(index)); }
  void endEdit(int32_t index) override { events.push_back("end " + std::to_string(index)); }
  void doIdleStuff() override {}
  PlatformFrameFactory getPlatformFrameFactory() const override {
    return createOffscreenPlatformFrame;
  }
  Events events;
};

class RecordingListener : public CControlListener {
public:
  void valueChanged(CControl* control) override { values.push_back(control->getValue()); }
  std::vector<float> values;
};

// A view that fills its rectangle with one colour and counts its draws and events.
class SolidView : public CView {
public:
  SolidView(const CRect& r, const CColor& c, int* destroyed = nullptr)
      : CView(r), color(c), destroyedFlag(destroyed) {}
  ~SolidView() override {
    if (destroyedFlag) ++*destroyedFlag;
  }
  void draw(CDrawContext* context) override {
    ++draws;
    context->setFillColor(color);
    context->fillRect(drawArea.isEmpty() ? size : drawArea);
  }
  CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override {
    ++downs;
    return downResult;
  }
  CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override { return count(ups); }
  CMouseEventResult onMouseMoved(CPoint&, const CButtonState&) override { return count(moves); }
  CMouseEventResult onMouseEntered(CPoint&, const CButtonState&) override { return count(enters); }
  CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override { return count(exits); }
  int32_t onKeyDown(CKeyCode& key) override {
    lastKey = key.character;
    return kKeyHandled;
  }
  bool onWheel(const CPoint&, const float& distance, const CButtonState&) override {
    wheel += distance;
    return true;
  }

  CColor color;
  CRect drawArea;  // empty: the view's own rectangle
  int* destroyedFlag;
  int draws = 0, downs = 0, ups = 0, moves = 0, enters = 0, exits = 0;
  float wheel = 0;
  int32_t lastKey = 0;
  CMouseEventResult downResult = kMouseEventHandled;

private:
  static CMouseEventResult count(int& n) {
    ++n;
    return kMouseEventHandled;
  }
};

inline CColor grey(int g) {
  auto v = static_cast<uint8_t>(g);
  return CColor(v, v, v);
}

inline CKeyCode virtualKey(uint8_t virt) {
  CKeyCode k;
  k.virt = virt;
  return k;
}

// Every test runs on the offscreen platform with a fresh frame.
class OffscreenTest : public ::testing::Test {
protected:
  void TearDown() override {
    if (frame) frame->close();
  }

  CFrame* openFrame(CCoord width = 100, CCoord height = 80) {
    frame = new CFrame(CRect(0, 0, width, height), nullptr, &editor);
    screen = OffscreenPlatformFrame::of(frame);
    return frame;
  }
  // Adds view to the frame and returns it.
  template <typename View>
  View* add(View* view) {
    EXPECT_TRUE(frame->addView(view));
    return view;
  }
  CColor pixel(int x, int y) const {
    CColor c;
    EXPECT_TRUE(screen->getPixel(x, y, c)) << x << "," << y;
    return c;
  }

  RecordingEditor editor;
  CFrame* frame = nullptr;
  OffscreenPlatformFrame* screen = nullptr;
};

// A film strip of `frames` frames of w x h, frame i filled with grey level 10 * (i + 1).
inline CBitmap* makeFilmStrip(int w, int h, int frames) {
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(w, h * frames));
  CDrawContext* context = image->createDrawContext();
  for (int i = 0; i < frames; ++i) {
    context->setFillColor(grey(10 * (i + 1)));
    context->fillRect(CRect(0, i * h, w, (i + 1) * h));
  }
  context->forget();
  auto* bitmap = new CBitmap(image);
  image->forget();
  return bitmap;
}
