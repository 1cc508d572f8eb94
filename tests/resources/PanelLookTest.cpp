// What the editor relies on in the pictures: calm, dark value displays; a light name
// field for its dark text; on and off states that can be told apart; meter marks where
// the needle points.
#include "PngImage.h"
#include "ZelImageIds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using zeltest::PngImage;

using zeltest::loadStored;

struct Area {
  int x, y, w, h;
};

struct Stats {
  double mean, deviation;
  double warmth;  // largest excess of red over blue: high for a lit red or amber lamp
};

Stats statsOf(const PngImage& image, const Area& a, int top = 0) {
  double sum = 0, sq = 0, warmth = 0;
  const int n = a.w * a.h;
  for (int y = a.y; y < a.y + a.h; ++y)
    for (int x = a.x; x < a.x + a.w; ++x) {
      const double l = image.luminance(x, top + y);
      sum += l;
      sq += l * l;
      const std::uint32_t p = image.pixel(x, top + y);
      warmth =
          std::max(warmth, static_cast<double>((p >> 16) & 0xff) - static_cast<double>(p & 0xff));
    }
  const double mean = sum / n;
  return {mean, std::sqrt(std::max(0.0, sq / n - mean * mean)), warmth};
}

// The seven value displays redraw the panel under their light grey text (180, 180, 180).
TEST(PanelLook, ValueDisplaysAreEvenAndDark) {
  const auto panel = loadStored(ZelImageId::kPanel);
  const Area displays[] = {{720, 242, 35, 14}, {57, 242, 35, 14},  {157, 242, 31, 14},
                           {57, 110, 31, 14},  {156, 110, 35, 14}, {280, 155, 31, 14},
                           {613, 155, 31, 14}};
  for (const Area& d : displays) {
    SCOPED_TRACE(testing::Message() << d.x << "," << d.y);
    // Inside the corner rounding, the window is one flat colour.
    const Stats s = statsOf(*panel, {d.x + 2, d.y + 2, d.w - 4, d.h - 4});
    EXPECT_LT(s.deviation, 0.5);
    EXPECT_LT(s.mean, 180.0 / 4);  // text stands out at least four to one
  }
}

// The name field draws dark text (36, 36, 32) straight onto the panel.
TEST(PanelLook, NameFieldIsLight) {
  const auto panel = loadStored(ZelImageId::kPanel);
  const Stats s = statsOf(*panel, {178, 271, 111, 10});
  EXPECT_GT(s.mean, 36.0 * 4);
  EXPECT_LT(s.deviation, 12.0);
}

TEST(PanelLook, BypassedMeterFaceIsDarker) {
  const Area card{30, 30, 85, 50};
  const Stats lit = statsOf(*loadStored(ZelImageId::kMeterFace), card);
  const Stats dark = statsOf(*loadStored(ZelImageId::kMeterFaceBypassed), card);
  EXPECT_GT(lit.mean, 180.0);
  EXPECT_LT(dark.mean, lit.mean * 0.6);
}

// Power and the two latching buttons light a lamp when on.
TEST(PanelLook, OnFramesShowALitLamp) {
  for (unsigned id :
       {ZelImageId::kPowerButton, ZelImageId::kBlendButton, ZelImageId::kScHpfButton}) {
    SCOPED_TRACE(id);
    const auto strip = loadStored(id);
    const int h = strip->height() / 2;
    const Area whole{0, 0, strip->width(), h};
    const Stats off = statsOf(*strip, whole, 0), on = statsOf(*strip, whole, h);
    EXPECT_GT(on.warmth, 120.0);
    EXPECT_LT(off.warmth, on.warmth / 2);
  }
}

// Preset bar keys brighten under the pointer.
TEST(PanelLook, KeysBrightenUnderThePointer) {
  for (unsigned id :
       {ZelImageId::kSaveBankButton, ZelImageId::kDefaultPresetButton, ZelImageId::kManualButton}) {
    SCOPED_TRACE(id);
    const auto strip = loadStored(id);
    const int h = strip->height() / 3;
    const Area key{1, 2, strip->width() - 2, h - 4};
    EXPECT_GT(statsOf(*strip, key, h).mean, statsOf(*strip, key, 0).mean + 5);
  }
}

// On the working meter face, the labelled marks of 0, 1, 2, 3, 6, 10 and 20 dB of
// reduction lie where the needle points for the gain 10^(-dB/20).
TEST(MeterFace, MarksSitUnderTheNeedleForTheirGain) {
  const auto face = loadStored(ZelImageId::kMeterFace);
  const double cx = 463 - 392 + 0.5, cy = 143 - 34 + 0.5;  // needle pivot in the picture
  const double radius = 69.5;                              // across the long, labelled marks
  for (double db : {0.0, -1.0, -2.0, -3.0, -6.0, -10.0, -20.0}) {
    SCOPED_TRACE(db);
    const double value = std::pow(10.0, db / 20.0);
    const double expected = -45.0 + 90.0 * value;  // degrees clockwise from up
    double darkest = 1e9, at = 0;
    for (double deg = expected - 5; deg <= expected + 5; deg += 0.1) {
      const double a = deg * M_PI / 180.0;
      const int x = static_cast<int>(cx + radius * std::sin(a));
      const int y = static_cast<int>(cy - radius * std::cos(a));
      const double l = face->luminance(x, y);
      if (l < darkest) {
        darkest = l;
        at = deg;
      }
    }
    EXPECT_LT(darkest, 120.0);
    EXPECT_NEAR(at, expected, 1.2);
  }
}

}  // namespace
