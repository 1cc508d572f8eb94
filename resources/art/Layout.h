// Where every control sits on the 811 x 286 panel, and the dial geometry that the
// panel markings and the control pictures share.
#pragma once

#include "Canvas.h"

namespace zelart {

enum class Control {
  // Main panel.
  ThresholdKnob,
  MakeupKnob,
  AttackKnob,
  ReleaseKnob,
  ScHpfKnob,
  RatioKnob,
  BlendKnob,
  PowerButton,
  LinkButton,
  BlendButton,
  ScHpfButton,
  ChannelSwitch,
  Meter,
  AboutArea,
  BlendDisplay,
  ScHpfDisplay,
  RatioDisplay,
  AttackDisplay,
  ReleaseDisplay,
  ThresholdDisplay,
  MakeupDisplay,
  // Preset bar.
  NameField,
  PresetMenu,
  PresetRocker,
  LoadBank,
  SaveBank,
  DefaultBank,
  LoadPreset,
  SavePreset,
  DefaultPreset,
  RecallA,
  StoreA,
  RecallB,
  StoreB,
  Manual,
  Count
};

// One control: its rectangle in panel pixels, the image it shows and its frame count
// (image 0 for controls without a picture of their own).
struct Place {
  Control control;
  Box box;
  unsigned image;
  int frames;
};

// The place of a control.
const Place& place(Control control);

constexpr int kPanelWidth = 811;
constexpr int kPanelHeight = 286;

// Knobs turn clockwise from the lower left (value 0) to the lower right (value 1).
constexpr double kKnobStartDeg = -150.0;
constexpr double kKnobTravelDeg = 300.0;

// Dial direction of a knob value, in degrees clockwise from straight up.
double knobDegrees(double value);

// A point in pixels.
struct Point {
  double x, y;
};

// The point at distance r from (cx, cy) in the direction deg (degrees clockwise from up).
Point onDial(double cx, double cy, double r, double deg);

// Bat-handle toggles (power, link): pivot height in the control's frame, size factor, and
// how far the lever tip stands from the pivot.
struct Toggle {
  double pivotY;
  double scale;
  double reach() const { return 19.0 * scale; }
};
constexpr Toggle kPowerToggle{70, 1.15};
constexpr Toggle kLinkToggle{43, 0.95};

// Channel switch: pointer knob pivot height in its frame, and the pointer directions of
// its three positions (L, LR, R), degrees clockwise from up.
constexpr double kChannelPivotY = 40;
constexpr double kChannelDegrees[3] = {-60.0, 0.0, 60.0};

// Meter geometry in the meter pictures' own pixels (145 x 145): the needle turns about
// kMeterCentre, from radius kNeedleInner to kNeedleOuter.
constexpr Point kMeterCentre{71.5, 109.5};
constexpr double kNeedleInner = 2.0;
constexpr double kNeedleOuter = 75.0;

// Needle direction for a meter value (linear gain: 1 = no reduction), degrees clockwise
// from straight up: 0 points 45 degrees left, 0.5 straight up, 1 45 degrees right.
double needleDegrees(double value);

// Meter value (linear gain) that shows a reduction of `db` decibels (db <= 0).
double gainForDb(double db);

}  // namespace zelart
