// The plug-in's editor in a real X11 window, driven as hosts drive it.
#include "DemoFeed.h"
#include "EditorFixture.h"
#include "PresetSelection.h"

namespace e2e {
namespace {

using EditorInHostWindow = EditorFixture;

TEST_F(EditorInHostWindow, OpensAsAMappedChildOfTheReportedSizeAndHandlesRealPointerInput) {
  auto reportsItsSize = [&] {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    return rect != nullptr && rect->top == 0 && rect->left == 0 && rect->bottom == kEditorHeight &&
           rect->right == kEditorWidth;
  };
  EXPECT_TRUE(reportsItsSize()) << "the size is needed before the window exists";
  ASSERT_EQ(openEditor(), 1);
  ASSERT_EQ(childCount(), 1u) << "the editor is one direct child";
  WindowGeometry g;
  ASSERT_TRUE(session.geometry(editorWindow(), g));
  EXPECT_TRUE(g.x == 0 && g.y == 0 && g.width == kEditorWidth && g.height == kEditorHeight);
  EXPECT_TRUE(g.fixed) << "fixed size hints, for hosts that copy them";
  EXPECT_TRUE(g.viewable) << "the editor maps its window itself";
  ASSERT_TRUE(panelDrawn());
  EXPECT_TRUE(reportsItsSize()) << "the size does not change when open";

  WindowId editor = editorWindow();
  // Handled at idle: a drag, a right click, wheel notches both ways and a double click, on an
  // empty spot and over the Threshold knob; then the pointer leaves the window.
  for (auto [x, y] : {std::pair{470, 195}, std::pair{298, 96}}) {
    session.moveTo(editor, x, y);
    session.button(1, true);
    session.moveTo(editor, x + 7, y - 5);
    session.moveTo(editor, x + 3, y + 4);
    session.button(1, false);
    for (unsigned int button : {3, 4, 5, 1, 1}) session.click(button);
    idle(2);
  }
  session.moveTo(window.id(), kEditorWidth + 40, kEditorHeight + 40);
  idle(3);
  EXPECT_EQ(editorWindow(), editor) << "the editor keeps its one window";
  EXPECT_TRUE(panelDrawn());
}

TEST_F(EditorInHostWindow, CloseRemovesTheChildAndReopeningWorks) {
  openAndDraw();
  WindowId first = editorWindow();
  closeEditor();
  EXPECT_EQ(childCount(), 0u);
  WindowGeometry g;
  EXPECT_FALSE(session.geometry(first, g)) << "the editor's window is destroyed";
  closeEditor();  // closing a closed editor does nothing, and neither does idle
  idle(2);

  openAndDraw();
  ASSERT_EQ(openEditor(), 1) << "a second open without close";
  EXPECT_EQ(childCount(), 1u);
  EXPECT_TRUE(panelDrawn());
  closeEditor();
  EXPECT_EQ(childCount(), 0u);
}

TEST_F(EditorInHostWindow, ParentDestroyedAfterOrBeforeClose) {
  for (bool closeFirst : {true, false}) {  // Ardour's order first
    SCOPED_TRACE(closeFirst ? "close, then destroy the parent" : "parent destroyed while open");
    openAndDraw();
    if (closeFirst) closeEditor();
    destroyWindow();
    idle(3);  // draws and reads events of a window that may be gone
    closeEditor();
    makeWindow();
    openAndDraw();
    closeEditor();
  }
}

TEST_F(EditorInHostWindow, CyclesAndFailedOpensLeaveNoWindowsAndNoConnections) {
  long descriptors = 0;
  for (int cycle = 0; cycle <= 50; ++cycle) {
    ASSERT_EQ(openEditor(), 1) << "cycle " << cycle;
    idle(2);
    closeEditor();
    // Counted after the first: fonts and caches of the libraries below load once per process.
    if (cycle == 0) descriptors = openDescriptorCount();
  }
  EXPECT_EQ(childCount(), 0u);
  EXPECT_EQ(openDescriptorCount(), descriptors) << "each editor's X connection must be closed";

  // No parent, and an id no client has made (the server's resource ids start far above this).
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x7f})), 0);
  idle(2);
  closeEditor();
  EXPECT_EQ(openDescriptorCount(), descriptors) << "a failed open keeps no X connection";
  openAndDraw();
}

TEST_F(EditorInHostWindow, IdleRequestsAreAnsweredAtOnceFromInsideThePlugin) {
  openAndDraw();
  EXPECT_EQ(zelhost::EditorHost::callback(plugin.effect(), audioMasterIdle, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(host.deepestIdleNesting(), 1);

  // A preset change from the host (state chunk) with the editor's idle run from inside the
  // plug-in's display update.
  idleOnUpdateDisplay = true;
  zelrender::Status selected = zelrender::selectPreset(plugin, 3);
  idleOnUpdateDisplay = false;
  ASSERT_TRUE(selected.ok()) << selected.message();
  std::string name;
  ASSERT_TRUE(plugin.programNameIndexed(3, name));
  EXPECT_EQ(plugin.programName(), name);
  EXPECT_TRUE(panelDrawn());
}

TEST_F(EditorInHostWindow, SizeWindowRequestsResizeTheHostWindow) {
  auto ask = [&](VstInt32 opcode, VstInt32 index, VstIntPtr value, const char* text) {
    return zelhost::EditorHost::callback(plugin.effect(), opcode, index, value,
                                         const_cast<char*>(text), 0);
  };
  EXPECT_EQ(ask(audioMasterCanDo, 0, 0, "sizeWindow"), 1);
  EXPECT_EQ(ask(audioMasterCanDo, 0, 0, "openFileSelector"), 0);
  ASSERT_EQ(openEditor(), 1);
  EXPECT_EQ(ask(audioMasterSizeWindow, 900, 320, nullptr), 1);
  WindowGeometry g;
  ASSERT_TRUE(session.geometry(window.id(), g));
  EXPECT_TRUE(g.width == 900 && g.height == 320 && g.fixed);
  EXPECT_EQ(ask(audioMasterSizeWindow, 0, 320, nullptr), 0) << "a zero width is refused";
}

// The editor opened, idled and closed while another thread processes audio and automates
// parameters through the record, as hosts do. Run under ThreadSanitizer too.
using EditorX11Thread = EditorFixture;

TEST_F(EditorX11Thread, OpenIdleCloseWhileAudioAndAutomationRun) {
  plugin.resume();
  std::atomic<bool> stop{false};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    zelhost::DemoFeed feed(plugin);
    for (int i = 0; !stop.load(); ++i) {
      feed.processBlock();
      // Threshold sweeps, Power and Channel flip: the editor's controls and meter follow.
      plugin.setParameter(8, static_cast<float>(i % 100) / 100.0f);
      plugin.setParameter(0, (i / 10) % 2 == 0 ? 1.0f : 0.0f);
      plugin.setParameter(9, static_cast<float>(i % 3) / 2.0f);
      (void)plugin.parameter(17);
      blocks.fetch_add(1);
    }
  });
  for (int cycle = 0; cycle < 30 && !HasFailure(); ++cycle) {
    EXPECT_EQ(openEditor(), 1) << "cycle " << cycle;
    idle(3);
    closeEditor();
  }
  // Keep the editor open for a while against the running thread.
  EXPECT_EQ(openEditor(), 1);
  const int target = blocks.load() + 50;
  EXPECT_TRUE(within(10000, [&] { return idle(), blocks.load() >= target; }));
  closeEditor();
  stop = true;
  audio.join();
  EXPECT_GT(blocks.load(), 50);
  EXPECT_EQ(childCount(), 0u);
}

}  // namespace
}  // namespace e2e
