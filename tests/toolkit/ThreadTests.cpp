// Control values set from another thread while the UI thread idles and draws.
#include <atomic>
#include <thread>

#include "CAnimKnob.h"
#include "CParamDisplay.h"
#include "ToolkitTestSupport.h"

namespace {

using ConcurrentValues = OffscreenTest;

TEST_F(ConcurrentValues, AutomationThreadAndIdleDoNotRaceAndTheLastValueIsShown) {
  openFrame(120, 60);
  CBitmap* strip = makeFilmStrip(50, 50, 11);  // value v shows grey 10 * (round(10 v) + 1)
  auto* knob = add(new CAnimKnob(CRect(0, 0, 50, 50), nullptr, 8, 11, 50, strip));
  auto* display = add(new CParamDisplay(CRect(60, 0, 120, 20)));
  strip->forget();

  std::atomic<bool> done{false};
  std::thread automation([&] {
    for (int i = 0; i < 20000; ++i) {
      float v = static_cast<float>(i % 11) / 10.f;
      knob->setValue(v);
      display->setValue(48 * v - 36);
    }
    knob->setValue(0.7f);
    display->setValue(-2.4f);
    done = true;
  });
  while (!done) frame->idle();
  automation.join();
  frame->idle();  // the last value must be drawn even if it arrived during a draw
  EXPECT_FALSE(knob->isDirty());
  EXPECT_FALSE(display->isDirty());
  EXPECT_EQ(pixel(25, 25), grey(80));
}

}  // namespace
