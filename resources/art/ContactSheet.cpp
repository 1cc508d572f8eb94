#include "ContactSheet.h"

#include "Layout.h"
#include "MeterArt.h"
#include "Text.h"

#include "ZelImageIds.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zelart {
namespace {

constexpr int kSheetWidth = 1300;
constexpr int kMargin = 20;
const Rgba kCaption{0.85, 0.85, 0.85, 1};

const Image& imageOf(const std::vector<RenderedImage>& images, unsigned id) {
  for (const RenderedImage& r : images)
    if (r.format->id == id) return r.image;
  return images.front().image;
}

const ImageFormat& specOf(const std::vector<RenderedImage>& images, unsigned id) {
  for (const RenderedImage& r : images)
    if (r.format->id == id) return *r.format;
  return *images.front().format;
}

// Draws frame `frame` of a strip with its top left at (x, y), as a control draws it.
void drawFrame(cairo_t* cr, const Image& strip, const ImageFormat& format, int frame, double x,
               double y, double width, double height) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, width, height);
  cairo_clip(cr);
  cairo_set_source_surface(cr, strip.surface(), x, y - frame * format.frameHeight());
  cairo_paint(cr);
  cairo_restore(cr);
}

// Places items left to right, wrapping at the sheet's width, each under a caption.
class Flow {
public:
  Flow(cairo_t* cr, double top) : cr_(cr), y_(top) {}

  void heading(const char* text) {
    newRow();
    y_ += 8;
    drawText(cr_, sans(13, true), text, kMargin, y_ + 13, Align::Left, {0.95, 0.75, 0.45, 1});
    y_ += 22;
  }

  // Reserves a w x h cell under a caption; returns its top left.
  Point cell(double w, double h, const std::string& caption) {
    if (x_ + w > kSheetWidth - kMargin) newRow();
    const Point at{x_, y_ + 14};
    drawText(cr_, sans(9), caption.c_str(), x_, y_ + 10, Align::Left, kCaption);
    x_ += std::max(w, textWidth(cr_, sans(9), caption.c_str())) + 14;
    rowHeight_ = std::max(rowHeight_, h + 14);
    return at;
  }

  void newRow() {
    if (rowHeight_ > 0) y_ += rowHeight_ + 10;
    x_ = kMargin;
    rowHeight_ = 0;
  }

  double bottom() {
    newRow();
    return y_;
  }

private:
  cairo_t* cr_;
  double x_ = kMargin, y_, rowHeight_ = 0;
};

// Frame index a knob or switch shows for a value, as the controls compute it.
int frameFor(double value, int frames) {
  return value <= 0 ? 0 : static_cast<int>((frames - 1) * value + 0.5);
}

// The panel with every control at a typical setting, sample display texts and a name.
void drawComposedPanel(cairo_t* cr, const std::vector<RenderedImage>& images, double x, double y) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  drawImage(cr, imageOf(images, ZelImageId::kPanel), 0, 0);
  struct Setting {
    Control control;
    double value;
  };
  const Setting settings[] = {
      {Control::ThresholdKnob, 0.75}, {Control::MakeupKnob, 0.25}, {Control::AttackKnob, 0.5},
      {Control::ReleaseKnob, 0.5},    {Control::ScHpfKnob, 0.0},   {Control::RatioKnob, 0.5},
      {Control::BlendKnob, 0.75},     {Control::PowerButton, 1},   {Control::LinkButton, 1},
      {Control::BlendButton, 0},      {Control::ScHpfButton, 1},   {Control::ChannelSwitch, 0.5},
  };
  for (const Setting& s : settings) {
    const Place& p = place(s.control);
    drawFrame(cr, imageOf(images, p.image), specOf(images, p.image), frameFor(s.value, p.frames),
              p.box.x, p.box.y, p.box.w, p.box.h);
  }
  for (Control c :
       {Control::PresetRocker, Control::LoadBank, Control::SaveBank, Control::DefaultBank,
        Control::LoadPreset, Control::SavePreset, Control::DefaultPreset, Control::RecallA,
        Control::StoreA, Control::RecallB, Control::StoreB, Control::Manual}) {
    const Place& p = place(c);
    drawFrame(cr, imageOf(images, p.image), specOf(images, p.image), 0, p.box.x, p.box.y, p.box.w,
              p.box.h);
  }
  const Box& meter = place(Control::Meter).box;
  cairo_save(cr);
  cairo_translate(cr, meter.x, meter.y);
  drawImage(cr, imageOf(images, ZelImageId::kMeterFace), 0, 0);
  drawNeedle(cr, gainForDb(-4));
  drawImage(cr, imageOf(images, ZelImageId::kMeterCover), 0, 0);
  cairo_restore(cr);

  // What the value displays and the name field will write there.
  const struct {
    Control control;
    const char* text;
    double size;
  } texts[] = {
      {Control::AttackDisplay, "1.0", 11},  {Control::ReleaseDisplay, "100.0", 11},
      {Control::ScHpfDisplay, "10", 11},    {Control::RatioDisplay, "4.0:1", 11},
      {Control::BlendDisplay, "75.0", 11},  {Control::ThresholdDisplay, "-6.0", 12},
      {Control::MakeupDisplay, "+6.0", 12},
  };
  for (const auto& t : texts) {
    const Box& b = place(t.control).box;
    drawText(cr, sans(t.size), t.text, b.cx(), b.cy() + t.size * 0.36, Align::Centre,
             rgb255(180, 180, 180));
  }
  const Box& name = place(Control::NameField).box;
  drawText(cr, sans(11), "Default", name.cx(), name.cy() + 4, Align::Centre, rgb255(36, 36, 32));
  cairo_restore(cr);
}

}  // namespace

Image paintContactSheet(const std::vector<RenderedImage>& images) {
  // Lay out once to measure, then draw at the measured height.
  double height = 0;
  for (int pass = 0; pass < 2; ++pass) {
    Image sheet(kSheetWidth, pass == 0 ? 1 : static_cast<int>(std::ceil(height)));
    Painter cr(sheet);
    cairo_set_source_rgb(cr, 0.13, 0.13, 0.14);
    cairo_paint(cr);
    Flow flow(cr, 10);

    flow.heading("Panel as the editor shows it (sample values and texts)");
    Point p = flow.cell(kPanelWidth, kPanelHeight, "12102 panel with controls");
    drawComposedPanel(cr, images, p.x, p.y);
    flow.heading("About picture, with the version text the editor writes at (508, 63)");
    p = flow.cell(kPanelWidth, kPanelHeight, "12200 about picture");
    drawImage(cr, imageOf(images, ZelImageId::kAboutPicture), p.x, p.y);
    drawText(cr, sans(14), "v.1.0.0", p.x + 508, p.y + 63 + 12.5, Align::Left, {1, 1, 1, 1});

    flow.heading("Knob strips: frames 0, n/4, n/2, 3n/4, n-1");
    for (const RenderedImage& r : images) {
      const ImageFormat& s = *r.format;
      if (s.frames < 90) continue;
      flow.newRow();
      const int n = s.frames;
      for (int f : {0, n / 4, n / 2, 3 * n / 4, n - 1}) {
        char caption[64];
        std::snprintf(caption, sizeof caption, "%u %s #%d", s.id, s.name, f);
        const Point at = flow.cell(s.width, s.frameHeight(), caption);
        drawFrame(cr, r.image, s, f, at.x, at.y, s.width, s.frameHeight());
      }
    }

    flow.heading("Switches and buttons: every frame");
    for (const RenderedImage& r : images) {
      const ImageFormat& s = *r.format;
      if (s.frames < 2 || s.frames > 5) continue;
      for (int f = 0; f < s.frames; ++f) {
        char caption[64];
        std::snprintf(caption, sizeof caption, "%u #%d", s.id, f);
        // Preset bar keys are tiny: show them at twice their size.
        const double zoom = s.width < 50 ? 2.0 : 1.0;
        const Point at = flow.cell(s.width * zoom, s.frameHeight() * zoom, caption);
        cairo_save(cr);
        cairo_translate(cr, at.x, at.y);
        cairo_scale(cr, zoom, zoom);
        drawFrame(cr, r.image, s, f, 0, 0, s.width, s.frameHeight());
        cairo_restore(cr);
      }
    }

    flow.heading("Meter: faces with the cover and a still needle (gain -> dB of reduction)");
    const struct {
      unsigned face;
      double gain;
      const char* label;
    } needles[] = {
        {ZelImageId::kMeterFace, 1.0, "1.0 = 0 dB"},
        {ZelImageId::kMeterFace, 0.891, "0.891 = -1 dB"},
        {ZelImageId::kMeterFace, 0.708, "0.708 = -3 dB"},
        {ZelImageId::kMeterFace, 0.5, "0.5 = -6 dB"},
        {ZelImageId::kMeterFace, 0.316, "0.316 = -10 dB"},
        {ZelImageId::kMeterFace, 0.1, "0.1 = -20 dB"},
        {ZelImageId::kMeterFace, 1.2, "1.2 (overshoot)"},
        {ZelImageId::kMeterFaceBypassed, 1.0, "15020 bypassed, 1.0"},
    };
    for (const auto& n : needles) {
      const Point at = flow.cell(145, 145, n.label);
      cairo_save(cr);
      cairo_translate(cr, at.x, at.y);
      drawImage(cr, imageOf(images, n.face), 0, 0);
      drawNeedle(cr, n.gain);
      drawImage(cr, imageOf(images, ZelImageId::kMeterCover), 0, 0);
      cairo_restore(cr);
    }
    const Point at = flow.cell(145, 145, "15024 cover alone");
    drawImage(cr, imageOf(images, ZelImageId::kMeterCover), at.x, at.y);
    height = flow.bottom() + 10;
    if (pass == 1) return sheet;
  }
  return Image(1, 1);
}

}  // namespace zelart
