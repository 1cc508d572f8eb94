// The plug-in's editor in a real X11 window, driven as hosts drive it: child window, drawing,
// real pointer input, close and reopen, open twice, parent destroyed first, re-entrant idle,
// window resizing, and no leaked windows or connections.
#include <chrono>
#include <cmath>
#include <thread>

#include "EditorFixture.h"
#include "PresetSelection.h"

namespace e2e {
namespace {

using EditorInHostWindow = EditorFixture;

// Frame coordinates on the panel: the middle of the Threshold knob, and a spot between the
// meter and the about box where no control lies.
constexpr int kThresholdX = 298, kThresholdY = 96;
constexpr int kEmptyX = 470, kEmptyY = 195;

TEST_F(EditorInHostWindow, OpensAsAMappedChildOfTheReportedSizeAndDrawsThePanel) {
  ERect* rect = nullptr;
  ASSERT_NE(plugin.dispatch(effEditGetRect, 0, 0, &rect), 0);
  ASSERT_NE(rect, nullptr) << "the size is needed before the window exists";
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, kEditorHeight);
  EXPECT_EQ(rect->right, kEditorWidth);

  ASSERT_EQ(openEditor(), 1);
  ASSERT_EQ(session.children(window.id()).size(), 1u) << "the editor is one direct child";
  WindowId editor = editorWindow();
  WindowGeometry g;
  ASSERT_TRUE(session.geometry(editor, g));
  EXPECT_EQ(g.x, 0);
  EXPECT_EQ(g.y, 0);
  EXPECT_EQ(g.width, kEditorWidth);
  EXPECT_EQ(g.height, kEditorHeight);
  EXPECT_TRUE(g.viewable) << "the editor maps its window itself";
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  ASSERT_TRUE(session.sizeLimits(editor, minW, minH, maxW, maxH));
  EXPECT_TRUE(minW == kEditorWidth && maxW == kEditorWidth && minH == kEditorHeight &&
              maxH == kEditorHeight)
      << "fixed size hints, for hosts that copy them";

  WindowImage image;
  ASSERT_TRUE(waitForPanel(image))
      << "the window shows " << image.distinctColours() << " colours after the idle calls";
  ERect* after = nullptr;
  plugin.dispatch(effEditGetRect, 0, 0, &after);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->right - after->left, kEditorWidth) << "the size does not change when open";
  EXPECT_EQ(after->bottom - after->top, kEditorHeight);
}

TEST_F(EditorInHostWindow, RealPointerInputIsHandledAtIdle) {
  ASSERT_EQ(openEditor(), 1);
  WindowImage image;
  ASSERT_TRUE(waitForPanel(image));
  WindowId editor = editorWindow();

  // A drag across the panel, a right click, wheel notches both ways, a quick double click,
  // and the pointer leaving the window, all on an empty spot and over a knob.
  for (auto [x, y] : {std::pair{kEmptyX, kEmptyY}, std::pair{kThresholdX, kThresholdY}}) {
    session.moveTo(editor, x, y);
    session.button(1, true);
    session.moveTo(editor, x + 7, y - 5);
    session.moveTo(editor, x + 3, y + 4);
    session.button(1, false);
    session.click(3);
    session.click(4);
    session.click(5);
    session.click(1);
    session.click(1);
    idle(2);
  }
  session.moveTo(window.id(), kEditorWidth + 40, kEditorHeight + 40);
  idle(3);

  EXPECT_EQ(editorWindow(), editor) << "the editor keeps its one window";
  ASSERT_TRUE(waitForPanel(image)) << "the panel is still drawn";
}

TEST_F(EditorInHostWindow, CloseRemovesTheChildAndReopeningRebuildsIt) {
  ASSERT_EQ(openEditor(), 1);
  WindowImage image;
  ASSERT_TRUE(waitForPanel(image));
  WindowId first = editorWindow();

  closeEditor();
  session.sync();
  EXPECT_TRUE(session.children(window.id()).empty());
  EXPECT_FALSE(session.exists(first));
  closeEditor();  // closing a closed editor does nothing
  idle(2);        // neither does idle

  ASSERT_EQ(openEditor(), 1);
  EXPECT_EQ(session.children(window.id()).size(), 1u);
  ASSERT_TRUE(waitForPanel(image));

  // Ardour's order: close the editor, then destroy the parent.
  closeEditor();
  destroyWindow();
  idle(2);
  makeWindow();
  ASSERT_EQ(openEditor(), 1);
  ASSERT_TRUE(waitForPanel(image));
}

TEST_F(EditorInHostWindow, SecondOpenWithoutCloseLeavesOneChild) {
  ASSERT_EQ(openEditor(), 1);
  idle(2);
  ASSERT_EQ(openEditor(), 1);
  session.sync();
  EXPECT_EQ(session.children(window.id()).size(), 1u);
  WindowImage image;
  ASSERT_TRUE(waitForPanel(image));
  closeEditor();
  session.sync();
  EXPECT_TRUE(session.children(window.id()).empty());
}

TEST_F(EditorInHostWindow, FiftyCyclesLeaveNoWindowsAndNoConnections) {
  // One cycle first: fonts and caches of the libraries below load once per process.
  ASSERT_EQ(openEditor(), 1);
  idle(2);
  closeEditor();
  const int descriptors = openDescriptorCount();

  for (int cycle = 0; cycle < 50; ++cycle) {
    ASSERT_EQ(openEditor(), 1) << "cycle " << cycle;
    idle(2);
    closeEditor();
  }
  session.sync();
  EXPECT_TRUE(session.children(window.id()).empty());
  EXPECT_EQ(openDescriptorCount(), descriptors) << "each editor's X connection must be closed";
}

TEST_F(EditorInHostWindow, OpenWithoutAUsableParentFailsCleanly) {
  const int descriptors = openDescriptorCount();
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
  // An id no client has made (the server's resource ids start far above this).
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x7f})), 0);
  idle(2);
  closeEditor();
  EXPECT_EQ(openDescriptorCount(), descriptors) << "a failed open keeps no X connection";

  ASSERT_EQ(openEditor(), 1);
  WindowImage image;
  ASSERT_TRUE(waitForPanel(image));
}

TEST_F(EditorInHostWindow, ParentDestroyedBeforeCloseIsHarmless) {
  ASSERT_EQ(openEditor(), 1);
  WindowImage image;
  ASSERT_TRUE(waitForPanel(image));

  destroyWindow();
  session.sync();
  idle(3);  // draws and reads events of a window that is gone
  closeEditor();
  closeEditor();
  // Errors of the plug-in's display that escape it are reported by TearDown.

  makeWindow();
  ASSERT_EQ(openEditor(), 1) << "the editor opens again in a new window";
  ASSERT_TRUE(waitForPanel(image));
}

TEST_F(EditorInHostWindow, IdleRequestsAreAnsweredAtOnceFromInsideThePlugin) {
  ASSERT_EQ(openEditor(), 1);
  WindowImage image;
  ASSERT_TRUE(waitForPanel(image));

  // What the editor sends while something waits: audioMasterIdle with its own record.
  EXPECT_EQ(zelhost::EditorHost::callback(plugin.effect(), audioMasterIdle, 0, 0, nullptr, 0.0f),
            1);
  EXPECT_EQ(host.idleRequests(), 1);
  EXPECT_EQ(host.deepestIdleNesting(), 1);

  // A preset change from the host (state chunk) while the editor is open, with the editor's
  // idle run from inside the plug-in's display update.
  idleOnUpdateDisplay = true;
  zelrender::Status selected = zelrender::selectPreset(plugin, 3);
  idleOnUpdateDisplay = false;
  ASSERT_TRUE(selected.ok()) << selected.message();
  std::string name;
  ASSERT_TRUE(plugin.programNameIndexed(3, name));
  EXPECT_EQ(plugin.programName(), name);
  ASSERT_TRUE(waitForPanel(image));
}

TEST_F(EditorInHostWindow, SizeWindowRequestsResizeTheHostWindow) {
  char sizeWindow[] = "sizeWindow";
  char other[] = "openFileSelector";
  EXPECT_EQ(zelhost::EditorHost::callback(plugin.effect(), audioMasterCanDo, 0, 0, sizeWindow, 0),
            1);
  EXPECT_EQ(zelhost::EditorHost::callback(plugin.effect(), audioMasterCanDo, 0, 0, other, 0), 0);

  ASSERT_EQ(openEditor(), 1);
  EXPECT_EQ(
      zelhost::EditorHost::callback(plugin.effect(), audioMasterSizeWindow, 900, 320, nullptr, 0),
      1);
  session.sync();
  WindowGeometry g;
  ASSERT_TRUE(session.geometry(window.id(), g));
  EXPECT_EQ(g.width, 900);
  EXPECT_EQ(g.height, 320);
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  ASSERT_TRUE(session.sizeLimits(window.id(), minW, minH, maxW, maxH));
  EXPECT_TRUE(minW == 900 && maxW == 900 && minH == 320 && maxH == 320);
  EXPECT_EQ(
      zelhost::EditorHost::callback(plugin.effect(), audioMasterSizeWindow, 0, 320, nullptr, 0), 0)
      << "a zero width is refused";
}

}  // namespace
}  // namespace e2e
