// Input through the editor object as a host sends it: keys into an open text field via
// effEditKeyDown, a drag cut by the editor's close, images shared between two editors.
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

std::vector<VstInt32> gestures;  // begin / end opcodes the host saw

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit) gestures.push_back(opcode);
  return opcode == audioMasterVersion ? 2400 : 0;
}

struct OpenEditor {
  OpenEditor() : effect(createZelFETcomp(&host)) {
    static_cast<AEffGUIEditor*>(effect->getEditor())
        ->setPlatformFrameFactory(createOffscreenPlatformFrame);
    effect->dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x1234}), 0.f);
    editor = static_cast<Zel245Editor*>(effect->getEditor());
    screen = OffscreenPlatformFrame::of(editor->getFrame());
    gestures.clear();  // selecting preset 0 at start-up is one
  }
  ~OpenEditor() { delete effect; }
  // A key as Ardour sends it: index = ASCII character, value = virtual key.
  VstIntPtr key(VstInt32 ascii, VstIntPtr virt) {
    return effect->dispatcher(effEditKeyDown, ascii, virt, nullptr, 0.f);
  }
  ZelFETcomp* effect;
  Zel245Editor* editor;
  OffscreenPlatformFrame* screen;
};

class EditorInput : public ::testing::Test {};

TEST_F(EditorInput, TypedCharactersBackspaceEnterAndEscapeReachAnOpenTextField) {
  OpenEditor e;
  auto* field = new CZelTextEdit(CRect(175, 268, 292, 283), nullptr, 20, "Init", nullptr, 0);
  e.editor->getFrame()->addView(field);
  EXPECT_EQ(e.key('x', 0), 0) << "no field open: the host may use the key";
  // ASCII 8 / 13 / 27 / 9, or virtual keys 1 Back, 4 Return, 19 Enter.
  const std::pair<std::vector<std::pair<VstInt32, VstIntPtr>>, const char*> sessions[] = {
      {{{'-', 0}, {'1', 0}, {'8', 0}, {13, 0}}, "-18"},
      {{{'8', 0}, {':', 0}, {'2', 0}, {8, 0}, {'1', 0}, {0, 4}}, "8:1"},
      {{{'a', 0}, {'b', 0}, {0, 1}, {0, 19}}, "a"},
      {{{'z', 0}, {27, 0}}, "a"},
      {{{'7', 0}, {9, 0}}, "7"},
  };
  for (const auto& [keys, expected] : sessions) {
    e.screen->click(CPoint(200, 275));
    for (auto [ascii, virt] : keys) EXPECT_EQ(e.key(ascii, virt), 1) << ascii << "/" << virt;
    EXPECT_FALSE(field->isEditing());
    EXPECT_STREQ(field->getText(), expected);
  }
}

TEST_F(EditorInput, ClosingTheEditorMidDragEndsTheGestureAtTheHost) {
  OpenEditor e;  // the panel's Threshold knob is at (246, 44)-(350, 148)
  e.screen->mouseDown(CPoint(298, 96), kLButton);
  e.screen->mouseMove(CPoint(298, 50), kLButton);
  e.effect->dispatcher(effEditClose, 0, 0, nullptr, 0.f);  // the release never comes
  EXPECT_EQ(gestures, (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit}));
}

TEST_F(EditorInput, ImagesAreDecodedAtTheFirstDrawSharedAndReleasedWithTheirLastUser) {
  const unsigned id = ZelImageId::kMakeupKnob;
  ZelFETcomp* closed = createZelFETcomp(&host);
  EXPECT_EQ(getZelImageUsers(id), 0) << "an instance decodes nothing until its editor draws";
  {
    OpenEditor first, second;
    EXPECT_EQ(getZelImageUsers(id), 2);  // each panel's Makeup knob, one picture
    EXPECT_EQ(first.editor->getParameterControl(kMakeup)->getBackground()->getPlatformBitmap(),
              second.editor->getParameterControl(kMakeup)->getBackground()->getPlatformBitmap());
    second.effect->dispatcher(effEditClose, 0, 0, nullptr, 0.f);
    EXPECT_EQ(getZelImageUsers(id), 1);
    first.effect->dispatcher(effEditClose, 0, 0, nullptr, 0.f);
    EXPECT_EQ(getZelImageUsers(id), 0);
  }
  delete closed;
}

}  // namespace
