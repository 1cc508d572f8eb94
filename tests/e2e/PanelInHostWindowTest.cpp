// The built plug-in's panel in a real host window, used with real pointer events: knob
// drags follow the knob's law and are bracketed by begin and end of edit, Power changes the
// meter's face, the wheel steps a knob, a double click resets one.
#include <chrono>
#include <string>
#include <thread>

#include "EditorFixture.h"
#include "ZelParameters.h"

namespace e2e {
namespace {

constexpr int kThresholdX = 298, kThresholdY = 96;  // knob centres in the panel
constexpr int kMakeupX = 628, kMakeupY = 97;
constexpr int kAttackX = 74, kAttackY = 73;
constexpr int kPowerX = 738, kPowerY = 56;

class PanelInHostWindow : public EditorFixture {
protected:
  // Idles until the host has seen n ends of edit; false after 2 s.
  bool endsOfEdit(int n) {
    return within(2000, [&] {
      idle();
      return host.endEditCount() >= n;
    });
  }
  // Mean brightness of the meter's face in the editor window.
  double meterBrightness() {
    WindowImage image;
    if (!session.grab(editorWindow(), image)) return -1;
    double sum = 0;
    int n = 0;
    for (int y = 60; y < 150; ++y) {
      for (int x = 410; x < 520; ++x, ++n) {
        const uint32_t p = image.at(x, y);
        sum += ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
      }
    }
    return sum / (3.0 * n);
  }
};

TEST_F(PanelInHostWindow, DraggingTheThresholdKnobAutomatesAlongTheKnobLaw) {
  plugin.setParameter(kThreshold, 0.5f);
  openAndDraw();
  const WindowId editor = editorWindow();
  session.moveTo(editor, kThresholdX, kThresholdY);
  session.button(1, true);
  for (int dy = 15; dy <= 75; dy += 15) {
    session.moveTo(editor, kThresholdX, kThresholdY - dy);
    idle();
  }
  session.button(1, false);
  ASSERT_TRUE(endsOfEdit(1));
  EXPECT_EQ(host.beginEditCount(), 1);
  EXPECT_EQ(host.endEditCount(), 1);
  EXPECT_GE(host.automateCount(), 2);
  EXPECT_EQ(host.lastAutomatedIndex(), kThreshold);
  // 75 px of the large knob's 375 px for the whole range.
  EXPECT_NEAR(plugin.parameter(kThreshold), 0.7f, 1e-4f);
  EXPECT_FLOAT_EQ(host.lastAutomatedValue(), plugin.parameter(kThreshold));
  EXPECT_EQ(plugin.parameterDisplay(kThreshold), "-2.4");
}

TEST_F(PanelInHostWindow, PowerChangesTheMeterFaceAtTheNextIdle) {
  plugin.setParameter(kPower, 1.0f);
  openAndDraw();
  const double lit = meterBrightness();
  session.moveTo(editorWindow(), kPowerX, kPowerY);
  session.click(1);
  ASSERT_TRUE(endsOfEdit(1));
  EXPECT_FLOAT_EQ(plugin.parameter(kPower), 0.0f);
  ASSERT_TRUE(within(2000, [&] {
    idle();
    return meterBrightness() < lit - 20;
  })) << "the bypassed face is darker";
}

TEST_F(PanelInHostWindow, TheWheelStepsAttackAndADoubleClickResetsMakeup) {
  plugin.setParameter(kAttack, 0.5f);
  plugin.setParameter(kMakeup, 0.9f);
  openAndDraw();
  const WindowId editor = editorWindow();
  session.moveTo(editor, kAttackX, kAttackY);
  session.click(4);  // one notch up
  ASSERT_TRUE(endsOfEdit(1));
  EXPECT_FLOAT_EQ(plugin.parameter(kAttack), 0.625f);

  session.moveTo(editor, kMakeupX, kMakeupY);
  session.click(1);
  session.click(1);
  ASSERT_TRUE(within(2000, [&] {
    idle();
    return plugin.parameter(kMakeup) == 0.25f;
  }));
  EXPECT_EQ(host.beginEditCount(), host.endEditCount());
}

}  // namespace
}  // namespace e2e
