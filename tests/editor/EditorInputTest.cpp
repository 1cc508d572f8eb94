// Input through the editor object as a host sends it: keys into an open text field via
// effEditKeyDown (virtual keys and ASCII control characters), and a drag that the editor's
// close interrupts still ends its gesture at the host.
#include <gtest/gtest.h>

#include <vector>

#include "CAnimKnob3.h"
#include "CFrame.h"
#include "CZelBitmap.h"
#include "CZelTextEdit.h"
#include "Zel245Editor.h"
#include "ZelFETcomp.h"
#include "ZelImageCache.h"
#include "ZelImageIds.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace {

struct HostCall {
  VstInt32 opcode, index;
};
std::vector<HostCall> hostCalls;

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit)
    hostCalls.push_back({opcode, index});
  return 0;
}

class EditorInput : public ::testing::Test {
protected:
  void SetUp() override {
    setPlatformFrameFactory(createOffscreenPlatformFrame);
    effect = createZelFETcomp(&host);
    hostCalls.clear();
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x1234})), 1);
    frame = static_cast<Zel245Editor*>(effect->getEditor())->getFrame();
    screen = OffscreenPlatformFrame::of(frame);
  }
  void TearDown() override {
    dispatch(effEditClose);
    delete effect;
  }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr) {
    return effect->dispatcher(opcode, index, value, ptr, 0.0f);
  }
  // A key as Ardour sends it: index = ASCII character, value = virtual key.
  VstIntPtr key(VstInt32 ascii, VstIntPtr virt = 0) {
    return dispatch(effEditKeyDown, ascii, virt);
  }

  ZelFETcomp* effect = nullptr;
  CFrame* frame = nullptr;
  OffscreenPlatformFrame* screen = nullptr;
};

TEST_F(EditorInput, TypedCharactersBackspaceEnterAndEscapeReachAnOpenTextField) {
  auto* field = new CZelTextEdit(CRect(175, 268, 292, 283), nullptr, 20, "Init", nullptr, 0);
  frame->addView(field);
  EXPECT_EQ(key('x'), 0) << "no field open: the host may use the key";

  struct Case {
    VstInt32 ascii;
    VstIntPtr virt;
  };
  const std::vector<std::pair<std::vector<Case>, const char*>> sessions = {
      {{{'-', 0}, {'1', 0}, {'8', 0}, {13, 0}}, "-18"},                   // ASCII Return
      {{{'8', 0}, {':', 0}, {'2', 0}, {8, 0}, {'1', 0}, {0, 4}}, "8:1"},  // ASCII BS, VKEY_RETURN
      {{{'a', 0}, {'b', 0}, {0, 1 /* VKEY_BACK */}, {0, 19 /* VKEY_ENTER */}}, "a"},
      {{{'z', 0}, {27, 0}}, "a"},  // ASCII Escape cancels
      {{{'q', 0}, {0, 6 /* VKEY_ESCAPE */}}, "a"},
      {{{'7', 0}, {9, 0}}, "7"},  // Tab commits
  };
  for (const auto& [keys, expected] : sessions) {
    screen->click(CPoint(200, 275));
    ASSERT_TRUE(field->isEditing());
    for (const Case& k : keys) EXPECT_EQ(key(k.ascii, k.virt), 1) << k.ascii << "/" << k.virt;
    EXPECT_FALSE(field->isEditing());
    EXPECT_STREQ(field->getText(), expected);
  }
}

TEST_F(EditorInput, ClosingTheEditorMidDragEndsTheGestureAtTheHost) {
  auto* strip = new CZelBitmap(ZelImageId::kThresholdKnob);
  auto* knob =
      new CAnimKnob3(CRect(246, 44, 350, 148), static_cast<Zel245Editor*>(effect->getEditor()), 8,
                     193, 104, 104, strip);
  strip->forget();
  frame->addView(knob);
  screen->mouseDown(CPoint(298, 96), 2 /* left */);
  screen->mouseMove(CPoint(298, 50), 2);
  dispatch(effEditClose);  // the host closes the window; the release never comes
  ASSERT_EQ(hostCalls.size(), 2u);
  EXPECT_EQ(hostCalls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(hostCalls[1].opcode, audioMasterEndEdit);
  EXPECT_EQ(hostCalls[1].index, 8);
}

TEST_F(EditorInput, ImagesAreSharedBetweenEditorsAndReleasedWithTheirLastUser) {
  const unsigned id = ZelImageId::kMakeupKnob;
  ASSERT_EQ(getZelImageUsers(id), 0);
  ZelFETcomp* second = createZelFETcomp(&host);
  ASSERT_EQ(second->dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x99}), 0.f),
            1);
  CFrame* secondFrame = static_cast<Zel245Editor*>(second->getEditor())->getFrame();
  CBitmap* a = new CZelBitmap(static_cast<int>(id));
  CBitmap* b = new CZelBitmap(static_cast<int>(id));
  frame->addView(new CAnimKnob3(CRect(576, 45, 680, 149), nullptr, 10, 193, 104, 104, a));
  secondFrame->addView(new CAnimKnob3(CRect(576, 45, 680, 149), nullptr, 10, 193, 104, 104, b));
  a->forget();
  b->forget();
  EXPECT_EQ(getZelImageUsers(id), 0) << "nothing decoded before a draw";
  frame->invalid();
  secondFrame->invalid();
  EXPECT_EQ(getZelImageUsers(id), 2);
  EXPECT_EQ(a->getPlatformBitmap(), b->getPlatformBitmap()) << "decoded once, shared";
  EXPECT_EQ(getZelImageUsers(ZelImageId::kPanel), 2) << "the panel too";
  second->dispatcher(effEditClose, 0, 0, nullptr, 0.f);
  EXPECT_EQ(getZelImageUsers(id), 1);
  dispatch(effEditClose);
  EXPECT_EQ(getZelImageUsers(id), 0) << "released with the last editor that showed it";
  delete second;
}

}  // namespace
