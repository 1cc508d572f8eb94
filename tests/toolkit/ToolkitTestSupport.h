// Shared helpers of the toolkit tests: offscreen frames, a recording editor, simple views.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
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

// Records the gestures the controls report.
class RecordingEditor : public VSTGUIEditorInterface {
 public:
  void beginEdit(int32_t index) override { events.push_back("begin " + std::to_string(index)); }
  void endEdit(int32_t index) override { events.push_back("end " + std::to_string(index)); }
  void doIdleStuff() override {}
  std::vector<std::string> events;
};

class RecordingListener : public CControlListener {
 public:
  void valueChanged(CControl* control) override {
    values.push_back(control->getValue());
    last = control;
  }
  std::vector<float> values;
  CControl* last = nullptr;
};

// A view that fills its rectangle with one colour and counts its draws.
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
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
    ++downs;
    lastWhere = where;
    lastButtons = buttons;
    return downResult;
  }
  CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override {
    ++ups;
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseMoved(CPoint&, const CButtonState&) override {
    ++moves;
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseEntered(CPoint&, const CButtonState&) override {
    ++enters;
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override {
    ++exits;
    return kMouseEventHandled;
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
  CPoint lastWhere;
  CButtonState lastButtons = 0;
  CMouseEventResult downResult = kMouseEventHandled;
};

// Every test runs on the offscreen platform with a fresh frame.
class OffscreenTest : public ::testing::Test {
 protected:
  void SetUp() override { setPlatformFrameFactory(createOffscreenPlatformFrame); }
  void TearDown() override {
    if (frame) frame->close();
  }

  CFrame* openFrame(CCoord width = 100, CCoord height = 80) {
    frame = new CFrame(CRect(0, 0, width, height), nullptr, &editor);
    screen = OffscreenPlatformFrame::of(frame);
    return frame;
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

// PNG bytes of an image of size (w, h) painted by paint(context).
template <typename Paint>
std::vector<unsigned char> makePng(int w, int h, Paint paint) {
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(w, h));
  CDrawContext* context = image->createDrawContext();
  paint(context);
  context->forget();
  std::string path = ::testing::TempDir() + "toolkit_test_image.png";
  EXPECT_TRUE(image->writePNG(path.c_str()));
  image->forget();
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::remove(path.c_str());
  return bytes;
}

// A film strip of `frames` frames of w x h, frame i filled with grey level 10 * (i + 1).
inline CBitmap* makeFilmStrip(int w, int h, int frames) {
  auto png = makePng(w, h * frames, [&](CDrawContext* c) {
    for (int i = 0; i < frames; ++i) {
      auto g = static_cast<uint8_t>(10 * (i + 1));
      c->setFillColor(CColor(g, g, g));
      c->fillRect(CRect(0, i * h, w, (i + 1) * h));
    }
  });
  IPlatformBitmap* image = IPlatformBitmap::createFromMemory(png.data(), static_cast<uint32_t>(png.size()));
  auto* bitmap = new CBitmap(image);
  if (image) image->forget();
  return bitmap;
}
