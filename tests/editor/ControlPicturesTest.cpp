// The controls drawn with the real artwork over the panel picture: each control in a few
// states, checked to show different pictures for different states. With ZEL_SHOT_DIR set,
// the pictures are also written there as PNG files for people to look at.
#include <cstdlib>
#include <string>

#include "CAbout.h"
#include "CAnimKnob3.h"
#include "COldVuMeter2.h"
#include "CZelBitmap.h"
#include "CZelHorizontalSwitch.h"
#include "ToolkitTestSupport.h"
#include "ZelImageIds.h"
#include "ZelOnOffButton.h"

namespace {

class ControlPictures : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    CBitmap* panel = new CZelBitmap(ZelImageId::kPanel);
    frame->setBackground(panel);
    panel->forget();
  }
  // Writes the frame's picture when asked to; returns a checksum of the area.
  uint64_t shot(const char* name, const CRect& area) {
    frame->idle();
    if (const char* dir = std::getenv("ZEL_SHOT_DIR"))
      screen->writePNG((std::string(dir) + "/" + name + ".png").c_str());
    uint64_t sum = 0;
    for (int y = static_cast<int>(area.top); y < area.bottom; ++y)
      for (int x = static_cast<int>(area.left); x < area.right; ++x) {
        CColor c = pixel(x, y);
        sum = sum * 1099511628211ull + (c.red << 16 | c.green << 8 | c.blue);
      }
    return sum;
  }
  template <typename Control>
  Control* withImage(unsigned id, auto make) {
    CBitmap* image = new CZelBitmap(static_cast<int>(id));
    Control* control = add(make(image));
    image->forget();
    return control;
  }
};

TEST_F(ControlPictures, KnobsSwitchAndButtonsShowTheirValues) {
  auto* threshold = withImage<CAnimKnob3>(ZelImageId::kThresholdKnob, [](CBitmap* b) {
    return new CAnimKnob3(CRect(246, 44, 350, 148), nullptr, 8, 193, 104, 104, b);
  });
  auto* attack = withImage<CAnimKnob3>(ZelImageId::kAttackKnob, [](CBitmap* b) {
    return new CAnimKnob3(CRect(49, 48, 99, 98), nullptr, 1, 97, 50, 50, b);
  });
  auto* channel = withImage<CZelHorizontalSwitch>(ZelImageId::kChannelSwitch, [](CBitmap* b) {
    return new CZelHorizontalSwitch(CRect(261, 186, 334, 252), nullptr, 9, 3, 66, 3, b);
  });
  auto* power = withImage<ZelOnOffButton>(ZelImageId::kPowerButton, [](CBitmap* b) {
    return new ZelOnOffButton(CRect(710, 3, 767, 110), nullptr, 0, b);
  });
  auto* link = withImage<ZelOnOffButton>(ZelImageId::kLinkButton, [](CBitmap* b) {
    return new ZelOnOffButton(CRect(600, 180, 662, 260.5), nullptr, 11, b);
  });
  const CRect everything(0, 0, 811, 286);
  uint64_t last = 0;
  for (float v : {0.f, 0.5f, 1.f}) {
    for (CControl* c : {static_cast<CControl*>(threshold), static_cast<CControl*>(attack),
                        static_cast<CControl*>(channel), static_cast<CControl*>(power),
                        static_cast<CControl*>(link)})
      c->setValue(v);
    std::string name = "controls-" + std::to_string(static_cast<int>(v * 100));
    uint64_t sum = shot(name.c_str(), everything);
    EXPECT_NE(sum, last) << v;
    last = sum;
  }
}

TEST_F(ControlPictures, MeterFacesNeedleAndTrail) {
  CBitmap* face1 = new CZelBitmap(ZelImageId::kMeterFace);
  CBitmap* cover = new CZelBitmap(ZelImageId::kMeterCover);
  CBitmap* face0 = new CZelBitmap(ZelImageId::kMeterFaceBypassed);
  auto* meter = add(new COldVuMeter2(CRect(392, 34, 537, 179), nullptr, 18, face1, cover, face0,
                                     CPoint(463, 143), 3, 76));
  face1->forget();
  cover->forget();
  face0->forget();
  meter->setMin(-0.1f);
  meter->setMax(1.2f);
  const CRect area(392, 34, 537, 179);
  const uint64_t rest = shot("meter-rest", area);
  meter->setValue(0.6f);
  const uint64_t moved = shot("meter-trail", area);
  EXPECT_NE(moved, rest);
  meter->setValue(0.57f);
  shot("meter-slow", area);
  shot("meter-settled", area);
  meter->setState(0);
  EXPECT_NE(shot("meter-bypassed", area), moved);
}

TEST_F(ControlPictures, AboutPictureWithItsVersionText) {
  CBitmap* picture = new CZelBitmap(ZelImageId::kAboutPicture);
  add(new CAbout(CRect(370, 210, 558, 239), nullptr, 19, picture, CRect(0, 0, 811, 286),
                 CPoint(0, 0), CPoint(508, 63)));
  picture->forget();
  const CRect text(508, 63, 608, 78);
  const uint64_t closed = shot("about-closed", text);
  screen->click(CPoint(400, 220));
  EXPECT_NE(shot("about-open", text), closed);
}

}  // namespace
