#include "PanelArt.h"

#include "Hardware.h"
#include "Layout.h"
#include "Palette.h"
#include "Shading.h"
#include "Text.h"
#include "Texture.h"

#include <cmath>
#include <vector>

namespace zelart {
namespace {

using palette::kPaint;
using palette::kPaintDim;

constexpr double kStripTop = 258;  // the preset strip runs from here to the bottom edge

// A knob scale: tick count, and labels at given knob values.
struct ScaleLabel {
  double value;
  const char* text;
};
struct Scale {
  int ticks;       // evenly spaced ticks over the travel, ends included
  int majorEvery;  // every n-th tick is long
  std::vector<ScaleLabel> labels;
};

void drawScale(cairo_t* cr, const Box& knob, double rIn, double rOut, double rMajor, double rLabel,
               const Font& font, const Scale& scale) {
  const double cx = knob.cx(), cy = knob.cy();
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < scale.ticks; ++i) {
    const double deg = knobDegrees(static_cast<double>(i) / (scale.ticks - 1));
    const bool major = i % scale.majorEvery == 0;
    const Point a = onDial(cx, cy, rIn, deg);
    const Point b = onDial(cx, cy, major ? rMajor : rOut, deg);
    cairo_set_line_width(cr, major ? 1.3 : 0.9);
    // Dark lip, then the paint.
    cairo_move_to(cr, a.x, a.y - 0.5);
    cairo_line_to(cr, b.x, b.y - 0.5);
    setColour(cr, {0, 0, 0, 0.6});
    cairo_stroke(cr);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    setColour(cr, major ? kPaint : kPaintDim);
    cairo_stroke(cr);
  }
  for (const ScaleLabel& label : scale.labels) {
    const Point p = onDial(cx, cy, rLabel, knobDegrees(label.value));
    engraveText(cr, font, label.text, p.x, p.y + font.size * 0.36, Align::Centre, kPaintDim);
  }
  cairo_restore(cr);
}

void bigKnobScale(cairo_t* cr, Control knob, const Scale& scale) {
  drawScale(cr, place(knob).box, 45.5, 48.5, 51, 58, narrow(8.5), scale);
}

void smallKnobScale(cairo_t* cr, Control knob, const Scale& scale) {
  drawScale(cr, place(knob).box, 21.5, 24, 25.5, 31, narrow(7.5), scale);
}

// Engraved caption centred above a control.
void caption(cairo_t* cr, Control control, const char* text, double baseline, double size = 9) {
  engraveText(cr, sans(size, true, 1.2), text, place(control).box.cx(), baseline, Align::Centre,
              kPaint);
}

// A value display's window, with its unit engraved to its right.
void display(cairo_t* cr, Control control, const char* unit) {
  const Box& b = place(control).box;
  recess(cr, b, 2, palette::kDisplayWell);
  if (unit && *unit)
    engraveText(cr, narrow(8), unit, b.right() + 3.5, b.y + 10.5, Align::Left, kPaintDim);
}

void drawSectionLines(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_line_width(cr, 1);
  for (double x : {223.5, 691.5}) {
    cairo_move_to(cr, x, 14);
    cairo_line_to(cr, x, 246);
    setColour(cr, {0, 0, 0, 0.5});
    cairo_stroke(cr);
    cairo_move_to(cr, x + 1, 14);
    cairo_line_to(cr, x + 1, 246);
    setColour(cr, {1, 1, 1, 0.07});
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void drawKnobScales(cairo_t* cr) {
  bigKnobScale(cr, Control::ThresholdKnob,
               {17, 4, {{0, "-36"}, {0.25, "-24"}, {0.5, "-12"}, {0.75, "0"}, {1, "+12"}}});
  bigKnobScale(cr, Control::MakeupKnob,
               {17, 4, {{0, "-12"}, {0.25, "0"}, {0.5, "+12"}, {0.75, "+24"}, {1, "+36"}}});
  // Small knobs carry no label at the top, where their captions are.
  smallKnobScale(cr, Control::AttackKnob, {11, 5, {{0, "0.1"}, {1, "10"}}});
  smallKnobScale(cr, Control::ReleaseKnob, {11, 5, {{0, "10"}, {1, "1k"}}});
  smallKnobScale(cr, Control::ScHpfKnob, {11, 5, {{0, "10"}, {1, "1k"}}});
  smallKnobScale(cr, Control::RatioKnob, {9, 2, {{0, "1"}, {0.25, "2"}, {0.75, "8"}, {1, "16"}}});
  smallKnobScale(cr, Control::BlendKnob, {11, 5, {{0, "DRY"}, {1, "WET"}}});
}

void drawCaptions(cairo_t* cr) {
  caption(cr, Control::ThresholdKnob, "THRESHOLD", 26, 11);
  caption(cr, Control::MakeupKnob, "MAKEUP", 27, 11);
  caption(cr, Control::AttackKnob, "ATTACK", 31);
  caption(cr, Control::ReleaseKnob, "RELEASE", 31);
  caption(cr, Control::ScHpfKnob, "SC FILTER", 176);
  caption(cr, Control::RatioKnob, "RATIO", 176);
  caption(cr, Control::BlendKnob, "BLEND", 176);
  caption(cr, Control::PowerButton, "POWER", 124);
  caption(cr, Control::ChannelSwitch, "CHANNEL", 182);
  caption(cr, Control::LinkButton, "LINK", 182);
  caption(cr, Control::Meter, "GAIN REDUCTION", 25, 8);
}

// Marks for the channel switch's three positions around its pointer knob.
void drawChannelMarks(cairo_t* cr) {
  const Box& b = place(Control::ChannelSwitch).box;
  const double cx = b.cx(), cy = b.y + kChannelPivotY;
  const char* names[] = {"L", "LR", "R"};
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.3);
  for (int i = 0; i < 3; ++i) {
    const double deg = kChannelDegrees[i];
    const Point a = onDial(cx, cy, 23, deg), c = onDial(cx, cy, 26, deg);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, c.x, c.y);
    setColour(cr, kPaint);
    cairo_stroke(cr);
    const Point t = onDial(cx, cy, 32.5, deg);
    engraveText(cr, sans(8, true), names[i], t.x, t.y + 3, Align::Centre, kPaint);
  }
  cairo_restore(cr);
}

// ON / OFF marks beside a toggle's two lever positions.
void drawToggleMarks(cairo_t* cr, Control control, const Toggle& toggle) {
  const Box& b = place(control).box;
  const double x = b.cx() + 12, up = b.y + toggle.pivotY - toggle.reach(),
               down = b.y + toggle.pivotY + toggle.reach();
  engraveText(cr, narrow(7.5, true), "ON", x, up + 3, Align::Left, kPaintDim);
  engraveText(cr, narrow(7.5, true), "OFF", x, down + 3, Align::Left, kPaintDim);
}

void drawLogo(cairo_t* cr) {
  const Box& b = place(Control::AboutArea).box;
  // A faint plate so the logo reads as the clickable badge it is.
  recess(cr, b.inset(1), 3, {0.11, 0.115, 0.125, 1});
  const Font name = sans(17, true, 0.3);
  const Font sub = sans(7, true, 2.2);
  const double wZel = textWidth(cr, name, "Zel "), wAll = textWidth(cr, name, "Zel Trevalon");
  const double x0 = b.cx() - wAll / 2;
  engraveText(cr, name, "Zel", x0, b.y + 18, Align::Left, palette::kAccent);
  engraveText(cr, name, "Trevalon", x0 + wZel, b.y + 18, Align::Left, kPaint);
  engraveText(cr, sub, "FET COMPRESSOR", b.cx(), b.y + 26.5, Align::Centre, kPaintDim);
}

// The preset strip along the bottom edge: darker band, labels, name field, menu arrow.
void drawPresetStrip(cairo_t* cr) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, kStripTop, kPanelWidth, kPanelHeight - kStripTop);
  setColour(cr, {0, 0, 0, 0.28});
  cairo_fill(cr);
  cairo_restore(cr);
  grooveH(cr, 0, kPanelWidth, kStripTop - 1);

  const Font small = narrow(7, true, 0.4);
  const double y = 265.8;
  auto label = [&](Control c, const char* text) {
    engraveText(cr, small, text, place(c).box.cx(), y, Align::Centre, kPaintDim);
  };
  // Save and load keys by their function; the default keys by their group.
  label(Control::SaveBank, "SAVE");
  label(Control::DefaultBank, "BANK");
  label(Control::LoadBank, "LOAD");
  label(Control::SavePreset, "SAVE");
  label(Control::DefaultPreset, "PRESET");
  label(Control::LoadPreset, "LOAD");
  label(Control::PresetMenu, "LIST");
  label(Control::PresetRocker, "STEP");
  label(Control::StoreA, "STO");
  label(Control::RecallA, "RCL");
  label(Control::StoreB, "STO");
  label(Control::RecallB, "RCL");
  // The manual key's picture is narrower than its place; centre on the picture.
  engraveText(cr, small, "MANUAL", place(Control::Manual).box.x + 6, y, Align::Centre, kPaintDim);
  engraveText(cr, small, "PRESET NAME", place(Control::NameField).box.cx(), y, Align::Centre,
              kPaintDim);

  // Memory letters between the store and recall keys.
  const Font letter = sans(9, true);
  engraveText(cr, letter, "A",
              (place(Control::StoreA).box.right() + place(Control::RecallA).box.x) / 2, 279.5,
              Align::Centre, kPaint);
  engraveText(cr, letter, "B",
              (place(Control::StoreB).box.right() + place(Control::RecallB).box.x) / 2, 279.5,
              Align::Centre, kPaint);

  // The name field: a light label strip; the field draws its text straight onto it.
  const Box& field = place(Control::NameField).box;
  recess(cr, field, 1.5, palette::kNameField);
  cairo_save(cr);
  roundedRect(cr, field, 1.5);
  Gradient::linear(0, field.y, 0, field.bottom())
      .stop(0, {0, 0, 0, 0.10})
      .stop(0.3, {0, 0, 0, 0})
      .fill(cr);

  // The menu opener beside it: a small key with a down arrow.
  const Box& menu = place(Control::PresetMenu).box;
  const Box key{menu.x + 0.5, 268.5, menu.w - 1, 14};
  roundedRect(cr, key, 2);
  Gradient::vertical(key.y, key.bottom(), grey(0.30), grey(0.17)).fill(cr, true);
  setColour(cr, {0, 0, 0, 0.8});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, key.cx() - 3, key.cy() - 1.5);
  cairo_line_to(cr, key.cx() + 3, key.cy() - 1.5);
  cairo_line_to(cr, key.cx(), key.cy() + 2);
  cairo_close_path(cr);
  setColour(cr, kPaint);
  cairo_fill(cr);
  cairo_restore(cr);
}

void drawDisplays(cairo_t* cr) {
  display(cr, Control::AttackDisplay, "ms");
  display(cr, Control::ReleaseDisplay, "ms");
  display(cr, Control::ScHpfDisplay, "Hz");
  display(cr, Control::RatioDisplay, "");
  display(cr, Control::ThresholdDisplay, "dB");
  display(cr, Control::MakeupDisplay, "dB");
  display(cr, Control::BlendDisplay, "%");
}

void drawScrews(cairo_t* cr) {
  drawScrew(cr, 10, 10, 4, 30);
  drawScrew(cr, 801, 10, 4, -20);
  drawScrew(cr, 10, 247, 4, 75);
  drawScrew(cr, 801, 247, 4, 10);
}

}  // namespace

Image paintPanelMetal() {
  Image image(kPanelWidth, kPanelHeight);
  paintBrushedMetal(image, {palette::kPanelMetal, 0.045, 0.014, 0.012, 64}, 0x5eed0001);
  Painter cr(image);
  // Light from above: the top edge brighter, the bottom darker.
  Gradient::linear(0, 0, 0, kPanelHeight)
      .stop(0, {1, 1, 1, 0.06})
      .stop(0.45, {1, 1, 1, 0})
      .stop(1, {0, 0, 0, 0.18})
      .paint(cr);
  // Bevelled outer edge.
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 0.5, 0.5, kPanelWidth - 1, kPanelHeight - 1);
  setColour(cr, {0, 0, 0, 0.7});
  cairo_stroke(cr);
  cairo_move_to(cr, 1, 1.5);
  cairo_line_to(cr, kPanelWidth - 1, 1.5);
  setColour(cr, {1, 1, 1, 0.12});
  cairo_stroke(cr);
  return image;
}

Image paintPanel(const Image& metal) {
  Image image = metal.crop(0, 0, kPanelWidth, kPanelHeight);
  Painter cr(image);
  drawSectionLines(cr);
  drawScrews(cr);
  drawKnobScales(cr);
  drawCaptions(cr);
  drawChannelMarks(cr);
  drawToggleMarks(cr, Control::LinkButton, kLinkToggle);
  drawToggleMarks(cr, Control::PowerButton, kPowerToggle);
  drawDisplays(cr);
  drawLogo(cr);
  drawPresetStrip(cr);
  return image;
}

}  // namespace zelart
