// The main panel built by the real editor object, offscreen: every control in its
// place, values shown from every source, user gestures automating the host, the meter
// feed and typed values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "CAbout.h"
#include "CAnimKnob3.h"
#include "CFrame.h"
#include "COldVuMeter2.h"
#include "Zel245Editor.h"
#include "ZelFETcomp.h"
#include "ZelValueDisplay.h"
#include "ZelValueEntry.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace {

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  float value;
};
std::vector<HostCall> calls;

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterAutomate || opcode == audioMasterBeginEdit ||
      opcode == audioMasterEndEdit) {
    calls.push_back({opcode, index, opt});
  }
  return 0;
}

// The effect whose meter reading a test sets.
class MeterEffect : public ZelFETcomp {
public:
  MeterEffect() : ZelFETcomp(&host, &makeZelEditorObject) {}
  float getParameter(VstInt32 index) override {
    return index == kGainReductionReadout ? reading : ZelFETcomp::getParameter(index);
  }
  float reading = 1.0f;
};

class Panel : public ::testing::Test {
protected:
  void SetUp() override {
    editor = static_cast<Zel245Editor*>(effect.getEditor());
    editor->setPlatformFrameFactory(createOffscreenPlatformFrame);
    ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{1}), 0.f), 1);
    screen = OffscreenPlatformFrame::of(editor->getFrame());
    idle();
    calls.clear();
  }
  void TearDown() override { effect.dispatcher(effEditClose, 0, 0, nullptr, 0.f); }
  void idle() { effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.f); }
  std::string displayText(int index) {
    char text[256] = {};
    editor->getValueDisplay(index)->getDisplayText(editor->getValueDisplay(index)->getValue(),
                                                   text);
    return text;
  }
  CPoint centreOf(int index) {
    const CRect r = editor->getParameterControl(index)->getViewSize();
    return CPoint(r.left + r.getWidth() / 2, r.top + r.getHeight() / 2);
  }
  int count(VstInt32 opcode) {
    int n = 0;
    for (const HostCall& c : calls) n += c.opcode == opcode;
    return n;
  }

  MeterEffect effect;
  Zel245Editor* editor = nullptr;
  OffscreenPlatformFrame* screen = nullptr;
};

TEST_F(Panel, EveryControlSitsInItsPlaceWithItsTagAndPicture) {
  struct Place {
    int tag;
    CRect rect;
  };
  const Place places[] = {
      {kThreshold, {246, 44, 350, 148}},   {kMakeup, {576, 45, 680, 149}},
      {kAttack, {49, 48, 99, 98}},         {kRelease, {150, 48, 200, 98}},
      {kScHpf, {49, 182, 99, 232}},        {kRatio, {150, 182, 200, 232}},
      {kBlend, {712, 182, 762, 232}},      {kPower, {710, 3, 767, 110}},
      {kLink, {600, 180, 662, 260.5}},     {kBlendSwitch, {704, 141, 771, 165}},
      {kScHpfSwitch, {47, 141, 102, 165}}, {kChannel, {261, 186, 334, 252}},
  };
  for (const Place& p : places) {
    CControl* c = editor->getParameterControl(p.tag);
    ASSERT_NE(c, nullptr) << p.tag;
    EXPECT_EQ(c->getTag(), p.tag);
    const CRect r = c->getViewSize();
    EXPECT_DOUBLE_EQ(r.left, p.rect.left) << p.tag;
    EXPECT_DOUBLE_EQ(r.top, p.rect.top) << p.tag;
    EXPECT_DOUBLE_EQ(r.right, p.rect.right) << p.tag;
    EXPECT_DOUBLE_EQ(r.bottom, p.rect.bottom) << p.tag;
    EXPECT_FLOAT_EQ(c->getValue(), effect.getParameter(p.tag)) << p.tag;
  }
  for (int placeholder : {3, 7, 14, 15}) {
    EXPECT_EQ(editor->getParameterControl(placeholder), nullptr);
    EXPECT_EQ(editor->getValueDisplay(placeholder), nullptr);
  }
  const CRect meter = editor->getMeter()->getViewSize();
  EXPECT_EQ(meter, CRect(392, 34, 537, 179));
  EXPECT_EQ(editor->getMeter()->getTag(), 18);
  EXPECT_EQ(editor->getAboutBox()->getViewSize(), CRect(370, 210, 558, 239));
  EXPECT_EQ(editor->getAboutBox()->getTag(), 19);
  const auto* threshold = static_cast<CAnimKnob3*>(editor->getParameterControl(kThreshold));
  EXPECT_FLOAT_EQ(threshold->getDefaultValue(), 0.75f);
  EXPECT_FLOAT_EQ(threshold->getDragRange(), 0.375f);
  EXPECT_FLOAT_EQ(editor->getParameterControl(kMakeup)->getDefaultValue(), 0.25f);
  EXPECT_FLOAT_EQ(editor->getParameterControl(kChannel)->getDefaultValue(), 0.5f);
}

TEST_F(Panel, ValuesFromTheHostShowAtTheNextIdleOnControlAndDisplay) {
  effect.setParameter(kThreshold, 0.5f);
  effect.setParameter(kMakeup, 1.0f);
  effect.setParameter(kRatio, 0.5f);
  effect.setParameter(kScHpf, 1.0f);
  effect.setParameter(kChannel, 1.0f);
  EXPECT_NE(editor->getParameterControl(kThreshold)->getValue(), 0.5f);  // not before idle
  idle();
  EXPECT_FLOAT_EQ(editor->getParameterControl(kThreshold)->getValue(), 0.5f);
  EXPECT_EQ(displayText(kThreshold), "-12.0");
  EXPECT_EQ(displayText(kMakeup), "+36.0");
  EXPECT_EQ(displayText(kRatio), "4.0:1");
  EXPECT_EQ(displayText(kScHpf), "1000");
  EXPECT_FLOAT_EQ(editor->getParameterControl(kChannel)->getValue(), 1.0f);

  // Placeholders change nothing on the panel.
  for (int placeholder : {3, 7, 14, 15}) effect.setParameter(placeholder, 0.9f);
  idle();
  EXPECT_FLOAT_EQ(editor->getParameterControl(kThreshold)->getValue(), 0.5f);

  // A preset selected by the host shows all its values.
  effect.setPresetNo(3);
  idle();
  for (int index : {kAttack, kRelease, kRatio, kThreshold, kMakeup, kBlend}) {
    EXPECT_FLOAT_EQ(editor->getParameterControl(index)->getValue(), effect.getParameter(index));
  }
}

TEST_F(Panel, ValuesSetWhileClosedShowOnOpenAndRatioOpensRoundedToSixteenths) {
  effect.dispatcher(effEditClose, 0, 0, nullptr, 0.f);
  effect.setParameter(kRatio, 0.53f);
  effect.setParameter(kAttack, 0.0f);
  idle();  // closed: nothing to show, nothing fails
  ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{1}), 0.f), 1);
  EXPECT_EQ(displayText(kRatio), "4.0:1");  // 16^(8/16)
  EXPECT_EQ(displayText(kAttack), "0.1");
  EXPECT_FLOAT_EQ(editor->getParameterControl(kRatio)->getValue(), 0.53f);
}

TEST_F(Panel, DraggingTheThresholdKnobAutomatesTheHostWithinOneGesture) {
  effect.setParameter(kThreshold, 0.5f);
  idle();
  calls.clear();
  const CPoint start = centreOf(kThreshold);
  screen->mouseDown(start, kLButton);
  screen->mouseMove(CPoint(start.x, start.y - 75), kLButton);  // 75 of 375 px: +0.2
  screen->mouseUp(CPoint(start.x, start.y - 75), kLButton);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
  EXPECT_EQ(count(audioMasterBeginEdit), 1);
  EXPECT_EQ(count(audioMasterEndEdit), 1);
  EXPECT_NEAR(effect.getParameter(kThreshold), 0.7f, 1e-5);
  for (const HostCall& c : calls) {
    if (c.opcode == audioMasterAutomate) {
      EXPECT_EQ(c.index, kThreshold);
    }
  }
  idle();
  EXPECT_EQ(displayText(kThreshold), "-2.4");

  // A double click resets Makeup to its default, as one gesture.
  calls.clear();
  effect.setParameter(kMakeup, 0.9f);
  screen->mouseDownAt(centreOf(kMakeup), kLButton, 1000);
  screen->mouseUp(centreOf(kMakeup), kLButton);
  screen->mouseDownAt(centreOf(kMakeup), kLButton, 1100);
  screen->mouseUp(centreOf(kMakeup), kLButton);
  EXPECT_FLOAT_EQ(effect.getParameter(kMakeup), 0.25f);
  EXPECT_EQ(count(audioMasterBeginEdit), count(audioMasterEndEdit));

  // The wheel steps Attack by 1/8.
  effect.setParameter(kAttack, 0.5f);
  idle();
  screen->wheel(centreOf(kAttack), 1.0f);
  EXPECT_FLOAT_EQ(effect.getParameter(kAttack), 0.625f);
}

TEST_F(Panel, TheMeterFollowsItsReadingClampedAndPowerPicksItsFace) {
  effect.reading = 0.5f;
  idle();
  EXPECT_FLOAT_EQ(editor->getMeter()->getValue(), 0.5f);
  effect.reading = 5.0f;
  idle();
  EXPECT_FLOAT_EQ(editor->getMeter()->getValue(), 1.1f);
  effect.reading = -3.0f;
  idle();
  EXPECT_FLOAT_EQ(editor->getMeter()->getValue(), -0.1f);
  effect.reading = std::nanf("");
  idle();
  EXPECT_FLOAT_EQ(editor->getMeter()->getValue(), -0.1f);

  EXPECT_EQ(editor->getMeter()->getState(), 1);
  screen->click(centreOf(kPower));
  EXPECT_FLOAT_EQ(effect.getParameter(kPower), 0.f);
  idle();
  EXPECT_EQ(editor->getMeter()->getState(), 0);

  // Under the about picture the needle rests; the next idle after it closes moves it.
  effect.reading = 0.8f;
  idle();
  screen->click(CPoint(400, 220));
  ASSERT_EQ(editor->getAboutBox()->getValue(), 1.f);
  effect.reading = 0.3f;
  idle();
  EXPECT_FLOAT_EQ(editor->getMeter()->getValue(), 0.8f);
  screen->click(CPoint(100, 100));  // closes the picture; no knob under it reacts
  EXPECT_EQ(editor->getAboutBox()->getValue(), 0.f);
  EXPECT_TRUE(calls.empty() || calls.back().index == kPower);
  idle();
  EXPECT_FLOAT_EQ(editor->getMeter()->getValue(), 0.3f);
}

TEST_F(Panel, MeterAndAboutTagsChangeNoParameter) {
  float before[kNumParams];
  for (int i = 0; i < kNumParams; ++i) before[i] = effect.getParameter(i);
  editor->getMeter()->setValue(0.2f);
  editor->valueChanged(editor->getMeter());
  editor->valueChanged(editor->getAboutBox());
  for (int i = 0; i < kNumParams; ++i) EXPECT_EQ(effect.getParameter(i), before[i]) << i;
  EXPECT_EQ(count(audioMasterAutomate), 0);
}

TEST_F(Panel, ATypedValueInADisplayAppliesOnlyWhenItIsAValueInRange) {
  struct Typed {
    int index;
    const char* text;
    bool applies;
    float expected;
  };
  const Typed cases[] = {
      {kThreshold, "-18", true, 0.375f}, {kRatio, "8:1", true, 0.75f},
      {kRelease, "100 ms", true, 0.5f},  {kMakeup, "99", false, 0.f},
      {kAttack, "fast", false, 0.f},
  };
  for (const Typed& t : cases) {
    calls.clear();
    const float before = effect.getParameter(t.index);
    const CRect shown = editor->getValueDisplay(t.index)->getViewSize();
    screen->click(CPoint(shown.left + 5, shown.top + 5));
    ZelValueEntry* entry = editor->getValueEntry();
    ASSERT_NE(entry, nullptr) << t.text;
    ASSERT_TRUE(entry->isEditing());
    screen->typeText(t.text);
    CKeyCode enter;
    enter.virt = kVKeyReturn;
    screen->keyDown(enter);
    idle();
    EXPECT_EQ(editor->getValueEntry(), nullptr) << t.text;
    if (t.applies) {
      EXPECT_NEAR(effect.getParameter(t.index), t.expected, 1e-5) << t.text;
      ASSERT_EQ(calls.size(), 3u) << t.text;
      EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
      EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
      EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    } else {
      EXPECT_EQ(effect.getParameter(t.index), before) << t.text;
      EXPECT_TRUE(calls.empty()) << t.text;
    }
  }

  // Escape, or a click elsewhere, drops what was typed.
  const float before = effect.getParameter(kBlend);
  const CRect blend = editor->getValueDisplay(kBlend)->getViewSize();
  screen->click(CPoint(blend.left + 5, blend.top + 5));
  screen->typeText("10");
  CKeyCode escape;
  escape.virt = kVKeyEscape;
  screen->keyDown(escape);
  idle();
  screen->click(CPoint(blend.left + 5, blend.top + 5));
  screen->typeText("20");
  screen->click(CPoint(450, 5));
  idle();
  EXPECT_EQ(editor->getValueEntry(), nullptr);
  EXPECT_EQ(effect.getParameter(kBlend), before);
}

}  // namespace
