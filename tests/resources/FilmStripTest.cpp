// Film strips really move: knob frames turn evenly from the lower left to the lower
// right, and switch and button frames differ in the right direction.
#include "PngImage.h"
#include "ZelImageIds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

namespace {

using zeltest::PngImage;

using zeltest::loadStored;

constexpr unsigned kKnobs[] = {ZelImageId::kThresholdKnob, ZelImageId::kMakeupKnob,
                               ZelImageId::kAttackKnob,    ZelImageId::kReleaseKnob,
                               ZelImageId::kScHpfKnob,     ZelImageId::kRatioKnob,
                               ZelImageId::kBlendKnob};

// For each frame of a strip, the direction (degrees clockwise from up, seen from the
// frame's centre, or from `pivotY` when given) in which it differs from the average frame.
// Fixed parts cancel out; squaring the difference lets the pointer, the strongest change,
// outweigh fine detail such as knurling.
std::vector<double> pointerDirections(const PngImage& strip, int frameHeight, double pivotY = -1) {
  const int w = strip.width(), h = frameHeight, frames = strip.height() / h;
  std::vector<double> mean(static_cast<std::size_t>(w * h), 0.0);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        mean[static_cast<std::size_t>(y * w + x)] += strip.luminance(x, f * h + y) / frames;
  std::vector<double> directions;
  const double cx = w / 2.0, cy = pivotY >= 0 ? pivotY : h / 2.0;
  for (int f = 0; f < frames; ++f) {
    double sx = 0, sy = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double d = strip.luminance(x, f * h + y) - mean[static_cast<std::size_t>(y * w + x)];
        sx += d * d * (x + 0.5 - cx);
        sy += d * d * (y + 0.5 - cy);
      }
    directions.push_back(std::atan2(sx, -sy) * 180.0 / M_PI);
  }
  return directions;
}

// Vertical centre of the opaque parts of one frame.
double alphaCentreY(const PngImage& strip, int top, int height) {
  double sum = 0, weighted = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < strip.width(); ++x) {
      sum += strip.alpha(x, top + y);
      weighted += strip.alpha(x, top + y) * (y + 0.5);
    }
  return weighted / sum;
}

TEST(KnobStrips, EveryFrameIsDifferentAndNeighboursAreClosest) {
  for (unsigned id : kKnobs) {
    SCOPED_TRACE(id);
    const auto strip = loadStored(id);
    const int size = strip->width(), frames = strip->height() / size;
    ASSERT_EQ(frames * size, strip->height());

    // No two frames alike (compared by their full pixel content).
    std::set<std::vector<std::uint32_t>> seen;
    for (int f = 0; f < frames; ++f) {
      std::vector<std::uint32_t> pixels;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(strip->pixel(x, f * size + y));
      EXPECT_TRUE(seen.insert(pixels).second) << "frame " << f << " repeats an earlier one";
    }

    // The ends of the travel are further apart than any two neighbouring frames.
    const double ends = zeltest::frameDistance(*strip, 0, *strip, (frames - 1) * size, size, size);
    for (int f = 0; f + 1 < frames; ++f) {
      const double step =
          zeltest::frameDistance(*strip, f * size, *strip, (f + 1) * size, size, size);
      EXPECT_GT(step, 0.0);
      EXPECT_LT(step, ends) << "frames " << f << " and " << f + 1;
    }
  }
}

TEST(KnobStrips, FrameKShowsValueKOverNMinusOne) {
  for (unsigned id : {ZelImageId::kThresholdKnob, ZelImageId::kAttackKnob}) {
    SCOPED_TRACE(id);
    const auto strip = loadStored(id);
    const std::vector<double> directions = pointerDirections(*strip, strip->width());
    const int n = static_cast<int>(directions.size());
    // First frame at the lower left (minimum), last at the lower right (maximum),
    // evenly spaced in between over a 270 to 300 degree travel.
    EXPECT_LT(directions.front(), -130.0);
    EXPECT_GT(directions.back(), 130.0);
    const double travel = directions.back() - directions.front();
    EXPECT_GE(travel, 265.0);
    EXPECT_LE(travel, 305.0);
    for (int k = 0; k < n; ++k) {
      const double expected = directions.front() + travel * k / (n - 1);
      EXPECT_NEAR(directions[static_cast<std::size_t>(k)], expected, 4.0) << "frame " << k;
    }
  }
}

TEST(SwitchStrips, EveryFrameDiffers) {
  const struct {
    unsigned id;
    int frames;
  } strips[] = {
      {ZelImageId::kPowerButton, 2},         {ZelImageId::kBlendButton, 2},
      {ZelImageId::kScHpfButton, 2},         {ZelImageId::kChannelSwitch, 3},
      {ZelImageId::kManualButton, 3},        {ZelImageId::kDefaultBankButton, 3},
      {ZelImageId::kDefaultPresetButton, 3}, {ZelImageId::kSaveBankButton, 3},
      {ZelImageId::kLoadPresetButton, 3},    {ZelImageId::kStoreAButton, 3},
      {ZelImageId::kRecallBButton, 3},       {ZelImageId::kPresetRocker, 5},
  };
  for (const auto& s : strips) {
    SCOPED_TRACE(s.id);
    const auto strip = loadStored(s.id);
    const int h = strip->height() / s.frames, w = strip->width();
    for (int a = 0; a < s.frames; ++a)
      for (int b = a + 1; b < s.frames; ++b)
        EXPECT_GT(zeltest::frameDistance(*strip, a * h, *strip, b * h, w, h), 0.0)
            << "frames " << a << " and " << b;
  }
}

// The channel switch's positions are picked left to right: L, LR, R.
TEST(SwitchStrips, ChannelPointerTurnsLeftToRight) {
  const auto strip = loadStored(ZelImageId::kChannelSwitch);
  const std::vector<double> d = pointerDirections(*strip, 66, 40);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_LT(d[0], -30.0);
  EXPECT_NEAR(d[1], 0.0, 10.0);
  EXPECT_GT(d[2], 30.0);
}

// Frame 1 is "on": toggle levers stand up.
TEST(SwitchStrips, TogglesPointUpWhenOn) {
  const auto power = loadStored(ZelImageId::kPowerButton);
  EXPECT_LT(alphaCentreY(*power, 107, 107), alphaCentreY(*power, 0, 107) - 3);
  const auto link = loadStored(ZelImageId::kLinkButton);
  EXPECT_LT(alphaCentreY(*link, 81, 80), alphaCentreY(*link, 0, 80) - 3);
}

// The link strip's second frame starts half-way through row 80: its two halves differ.
TEST(SwitchStrips, LinkFramesOfEightyAndAHalfRowsDiffer) {
  const auto strip = loadStored(ZelImageId::kLinkButton);
  EXPECT_GT(zeltest::frameDistance(*strip, 0, *strip, 81, 62, 80), 0.0);
}

}  // namespace
