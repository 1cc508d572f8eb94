// The editor object's life: rectangle, open and close offscreen, key, wheel and
// gesture forwarding, rebuilding, and the state chunk it serialises.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "CFrame.h"
#include "CView.h"
#include "XPlatMutex.h"
#include "Zel245Editor.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace {

std::vector<VstInt32> hostOpcodes;
std::vector<VstInt32> hostIndices;
// Set while a test plays a host that answers its idle request with an editor idle at once.
std::function<void(AEffect*)> onHostIdle;

VstIntPtr host(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  hostOpcodes.push_back(opcode);
  hostIndices.push_back(index);
  if (opcode == audioMasterIdle && onHostIdle) onHostIdle(effect);
  return 0;
}

// A view that counts how often it is drawn.
class DrawCounter : public CView {
public:
  explicit DrawCounter(const CRect& r) : CView(r) {}
  void draw(CDrawContext* context) override {
    ++draws;
    CView::draw(context);
  }
  int draws = 0;
};

// A view that records what reaches it.
class ProbeView : public CView {
public:
  explicit ProbeView(const CRect& r) : CView(r) { setWantsFocus(true); }
  int32_t onKeyDown(CKeyCode& key) override {
    lastCharacter = key.character;
    lastVirt = key.virt;
    return 1;
  }
  bool onWheel(const CPoint&, const float& distance, const CButtonState&) override {
    wheel += distance;
    return true;
  }
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override {
    lastDown = where;
    return kMouseEventHandled;
  }
  int32_t lastCharacter = 0;
  int32_t lastVirt = 0;
  float wheel = 0;
  CPoint lastDown;
};

class EditorShell : public ::testing::Test {
protected:
  void SetUp() override {
    effect = createZelFETcomp(&host);
    editor = static_cast<Zel245Editor*>(effect->getEditor());
    editor->setPlatformFrameFactory(createOffscreenPlatformFrame);
    hostOpcodes.clear();
    hostIndices.clear();
  }
  void TearDown() override {
    onHostIdle = nullptr;
    effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    delete effect;
  }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect->dispatcher(opcode, index, value, ptr, opt);
  }
  void* window() { return reinterpret_cast<void*>(static_cast<uintptr_t>(0x1234)); }

  ZelFETcomp* effect = nullptr;
  Zel245Editor* editor = nullptr;
};

TEST_F(EditorShell, RectangleAndFlagsBeforeTheFirstOpen) {
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(effect->getAeffect()->flags, 0x1031);
  ERect* r = nullptr;
  ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &r), 1);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->top, 0);
  EXPECT_EQ(r->left, 0);
  EXPECT_EQ(r->bottom, 286);
  EXPECT_EQ(r->right, 811);
  EXPECT_FALSE(editor->isOpen());
}

TEST_F(EditorShell, OpenWithoutWindowFailsAndCloseWhenClosedDoesNothing) {
  EXPECT_EQ(dispatch(effEditOpen, 0, 0, nullptr), 0);
  EXPECT_FALSE(editor->isOpen());
  EXPECT_EQ(dispatch(effEditClose), 0);
  EXPECT_EQ(dispatch(effEditIdle), 0);
  VstKeyCode key{};
  EXPECT_FALSE(editor->onKeyDown(key));
  EXPECT_FALSE(editor->onWheel(1.0f));
}

TEST_F(EditorShell, OpensDrawsTheBackgroundClosesAndReopens) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
  ASSERT_TRUE(editor->isOpen());
  CFrame* frame = editor->getFrame();
  EXPECT_EQ(frame->getWidth(), 811);
  EXPECT_EQ(frame->getHeight(), 286);
  dispatch(effEditIdle);
  OffscreenPlatformFrame* screen = OffscreenPlatformFrame::of(frame);
  ASSERT_NE(screen, nullptr);
  // The panel is drawn: opaque pixels that are not all the same.
  CColor a, b;
  ASSERT_TRUE(screen->getPixel(5, 5, a));
  ASSERT_TRUE(screen->getPixel(400, 150, b));
  EXPECT_EQ(a.alpha, 255);
  EXPECT_FALSE(a.red == b.red && a.green == b.green && a.blue == b.blue);

  // A second open without close rebuilds.
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
  EXPECT_NE(editor->getFrame(), nullptr);
  dispatch(effEditClose);
  EXPECT_FALSE(editor->isOpen());
  EXPECT_EQ(editor->getFrame(), nullptr);
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
    dispatch(effEditIdle);
    dispatch(effEditClose);
  }
  EXPECT_FALSE(editor->isOpen());
}

TEST_F(EditorShell, KeysWheelAndGesturesAreForwarded) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
  CFrame* frame = editor->getFrame();
  ProbeView* probe = new ProbeView(CRect(100, 100, 200, 200));
  frame->addView(probe);
  frame->setFocusView(probe);

  EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 1);
  EXPECT_EQ(probe->lastCharacter, 'a');
  EXPECT_EQ(dispatch(effEditKeyDown, 0, 6 /* escape */, nullptr, 0.0f), 1);
  EXPECT_EQ(probe->lastVirt, 6);

  OffscreenPlatformFrame* screen = OffscreenPlatformFrame::of(frame);
  screen->mouseMove(CPoint(150, 150), 0);
  EXPECT_TRUE(editor->onWheel(1.0f));
  EXPECT_FLOAT_EQ(probe->wheel, 1.0f);
  screen->click(CPoint(120, 130));
  EXPECT_EQ(probe->lastDown.x, 120);
  EXPECT_EQ(probe->lastDown.y, 130);

  editor->beginEdit(8);
  editor->endEdit(8);
  ASSERT_GE(hostOpcodes.size(), 2u);
  EXPECT_EQ(hostOpcodes[hostOpcodes.size() - 2], audioMasterBeginEdit);
  EXPECT_EQ(hostOpcodes.back(), audioMasterEndEdit);
  EXPECT_EQ(hostIndices.back(), 8);
  EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 1), 1);
}

TEST_F(EditorShell, AnEditorIdleFromInsideTheHostIdleRequestLeavesTheFrameAlone) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
  DrawCounter* counter = new DrawCounter(CRect(10, 10, 60, 60));
  editor->getFrame()->addView(counter);
  dispatch(effEditIdle);
  int nestedDraws = -1;
  onHostIdle = [&](AEffect* e) {
    counter->setDirty(true);
    const int before = counter->draws;
    e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
    nestedDraws = counter->draws - before;
  };
  editor->doIdleStuff();
  EXPECT_EQ(nestedDraws, 0);  // the frame is not re-entered from the host's idle
  onHostIdle = nullptr;
  dispatch(effEditIdle);
  EXPECT_FALSE(counter->isDirty());  // and the next ordinary idle draws it
}

TEST_F(EditorShell, HostValuesAndPresetChangesAreRecordedForTheNextIdle) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
  dispatch(effEditIdle);
  ParameterChanges& changes = effect->getParameterChanges();
  EXPECT_EQ(changes.take(), 0u);  // the idle took everything there was
  effect->setParameter(kThreshold, 0.25f);
  effect->setParameter(kRatio, 1.5f);
  const uint32_t seen = changes.take();
  EXPECT_EQ(seen, (1u << kThreshold) | (1u << kRatio));
  EXPECT_FLOAT_EQ(changes.value(kRatio), 1.0f);  // the clamped value
  effect->setPresetNo(3);
  EXPECT_EQ(changes.take(), ParameterChanges::kAllParameters | ParameterChanges::kPresetBit);
  EXPECT_FLOAT_EQ(changes.value(kAttack), effect->getParameter(kAttack));
}

TEST_F(EditorShell, OpenAndCloseGiveUpWhenTheEditorLockIsHeld) {
  std::atomic<bool> held{false}, release{false};
  std::thread other([&] {
    XPlatLockGuard guard(editor->getEditorLock(), 0);
    held = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  while (!held) std::this_thread::yield();
  EXPECT_EQ(dispatch(effEditOpen, 0, 0, window()), 0);
  EXPECT_FALSE(editor->isOpen());
  release = true;
  other.join();
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);

  held = false;
  release = false;
  std::thread closer([&] {
    XPlatLockGuard guard(editor->getEditorLock(), 0);
    held = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  while (!held) std::this_thread::yield();
  dispatch(effEditClose);
  EXPECT_TRUE(editor->isOpen());  // nothing half-destroyed
  release = true;
  closer.join();
  dispatch(effEditClose);
  EXPECT_FALSE(editor->isOpen());
}

TEST(EffectWithoutEditorObject, GetChunkAnswersZeroAndStillNamesItsBuffer) {
  ZelFETcomp bare(&host, nullptr);
  void* data = nullptr;
  EXPECT_EQ(bare.dispatcher(effGetChunk, 0, 0, &data, 0.0f), 0);
  EXPECT_NE(data, nullptr);
  EXPECT_EQ(bare.getAeffect()->flags & effFlagsHasEditor, 0);
}

TEST_F(EditorShell, EffectDestroyedWithTheEditorStillOpen) {
  ASSERT_EQ(dispatch(effEditOpen, 0, 0, window()), 1);
  delete effect;  // the editor object goes with it and closes its frame
  effect = createZelFETcomp(&host);
}

TEST_F(EditorShell, StateChunkRoundTripThroughTheEditorObject) {
  effect->setPresetNo(12);
  effect->setParameter(kMakeup, 0.4f);
  char name[] = "Session Bass";
  effect->setProgramName(name);
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
  ASSERT_EQ(size, 26545);
  std::vector<unsigned char> chunk(static_cast<unsigned char*>(data),
                                   static_cast<unsigned char*>(data) + size);
  EXPECT_EQ(chunk[3], 2);  // marker 0x02000000, little-endian
  EXPECT_EQ(std::memcmp(chunk.data() + 4, "dRvK", 4), 0);

  ZelFETcomp other(&host, &makeZelEditorObject);
  ASSERT_EQ(other.dispatcher(effSetChunk, 0, size, chunk.data(), 0.0f), 0);
  EXPECT_EQ(other.getPresetNo(), 12);
  char text[32] = {};
  other.getProgramName(text);
  EXPECT_STREQ(text, "Session Bass");
  EXPECT_FLOAT_EQ(other.getParameter(kMakeup), 0.4f);
  for (int p = 0; p < 48; ++p) {
    char a[32] = {}, b[32] = {};
    effect->getProgramNameIndexed(0, p, a);
    other.getProgramNameIndexed(0, p, b);
    ASSERT_STREQ(a, b);
  }

  // A chunk cut short is rejected and changes nothing.
  ZelFETcomp third(&host, &makeZelEditorObject);
  EXPECT_EQ(third.dispatcher(effSetChunk, 0, size - 10, chunk.data(), 0.0f), -1);
  EXPECT_EQ(third.getPresetNo(), 0);
}

}  // namespace
