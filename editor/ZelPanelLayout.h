// Where the main panel's controls sit, which pictures they show and how they move.
#pragma once

#include "CRect.h"
#include "ZelImageIds.h"
#include "ZelParameters.h"

namespace zelpanel {

// The seven knobs, in the order they are built (later ones lie on top).
struct KnobPlace {
  int tag;
  unsigned image;
  int frames;
  CCoord x, y;
  float dragRange;  // thousands of pixels for the full range
  float wheelStep;
  float wheelFineFactor;
};
constexpr float kKnobFineFactor = 10.f;
constexpr KnobPlace kKnobs[] = {
    {kThreshold, ZelImageId::kThresholdKnob, 193, 246, 44, 0.375f, 0.0625f, 1.f / 6},
    {kMakeup, ZelImageId::kMakeupKnob, 193, 576, 45, 0.375f, 0.0625f, 1.f / 6},
    {kAttack, ZelImageId::kAttackKnob, 97, 49, 48, 0.25f, 0.125f, 0.5f},
    {kRelease, ZelImageId::kReleaseKnob, 97, 150, 48, 0.25f, 0.125f, 0.5f},
    {kScHpf, ZelImageId::kScHpfKnob, 97, 49, 182, 0.25f, 0.125f, 0.5f},
    {kRatio, ZelImageId::kRatioKnob, 97, 150, 182, 0.25f, 0.125f, 0.5f},
    {kBlend, ZelImageId::kBlendKnob, 97, 712, 182, 0.25f, 0.0625f, 1.f / 6},
};

// The seven value displays.
struct DisplayPlace {
  int tag;
  CCoord x, y, width, height;
  bool smallFont;
};
constexpr DisplayPlace kDisplays[] = {
    {kBlend, 720, 242, 35, 14, true},   {kScHpf, 57, 242, 35, 14, true},
    {kRatio, 157, 242, 31, 14, true},   {kAttack, 57, 110, 31, 14, true},
    {kRelease, 156, 110, 35, 14, true}, {kThreshold, 280, 155, 31, 14, false},
    {kMakeup, 613, 155, 31, 14, false},
};
constexpr double kDisplayMin = -200.0;
constexpr double kDisplayMax = 2000.0;

// The four on/off buttons (two frames each).
struct ButtonPlace {
  int tag;
  unsigned image;
  CCoord x, y;
};
constexpr ButtonPlace kButtons[] = {
    {kPower, ZelImageId::kPowerButton, 710, 3},
    {kLink, ZelImageId::kLinkButton, 600, 180},
    {kBlendSwitch, ZelImageId::kBlendButton, 704, 141},
    {kScHpfSwitch, ZelImageId::kScHpfButton, 47, 141},
};

// The Channel switch: three positions, one frame each.
constexpr CCoord kChannelX = 261, kChannelY = 186;
constexpr int kChannelPositions = 3;

// The gain-reduction meter.
constexpr int kMeterTag = 18;
constexpr CRect kMeterRect{392, 34, 537, 179};
constexpr CCoord kMeterPivotX = 463, kMeterPivotY = 143;
constexpr float kMeterInnerRadiusPlusOne = 3.f;  // the needle starts 2 px from the pivot
constexpr float kMeterOuterRadiusPlusOne = 76.f;
constexpr float kMeterMin = -0.1f, kMeterMax = 1.2f, kMeterRest = 1.0f;
// The feed holds the reading to this range.
constexpr float kMeterFeedMin = -0.1f, kMeterFeedMax = 1.1f;

// The about box and where its picture goes.
constexpr int kAboutTag = 19;
constexpr CRect kAboutRect{370, 210, 558, 239};
constexpr CRect kAboutPictureArea{0, 0, 811, 286};
constexpr CCoord kVersionX = 508, kVersionY = 63;

}  // namespace zelpanel
