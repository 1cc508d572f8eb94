// The built plug-in loaded through its entry point, as zel-host loads it, with its editor in
// a top-level X11 window of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <atomic>

#include "EditorHost.h"
#include "HostWindow.h"
#include "PluginHost.h"
#include "XSession.h"

namespace e2e {

inline constexpr int kEditorWidth = 811, kEditorHeight = 286;

class EditorFixture : public ::testing::Test {
protected:
  // When set, the host also runs the editor's idle from inside every audioMasterUpdateDisplay,
  // as a host refreshing its view at once would.
  static inline std::atomic<bool> idleOnUpdateDisplay{false};
  // audioMasterUpdateDisplay requests seen.
  static inline std::atomic<int> updateDisplays{0};

  void SetUp() override {
    idleOnUpdateDisplay = false;
    ASSERT_TRUE(session.ok()) << session.failure();
    zelrender::Status loaded = plugin.load(ZEL_PLUGIN_PATH, &EditorFixture::callback);
    ASSERT_TRUE(loaded.ok()) << loaded.message();
    host.attach(plugin);
    zelrender::Status opened = plugin.open(48000.0, 512, false);
    ASSERT_TRUE(opened.ok()) << opened.message();
    makeWindow();
  }
  void TearDown() override {
    if (plugin.loaded()) closeEditor();
    destroyWindow();
    host.detach();
    plugin.unload();
  }

  void makeWindow() {
    destroyWindow();
    std::string error;
    ASSERT_TRUE(window.create("Zel Trevalon", kEditorWidth, kEditorHeight, error)) << error;
    host.setWindow(&window);
  }
  // Destroys the host window (and with it the editor's window, if still there).
  void destroyWindow() {
    host.setWindow(nullptr);
    window.destroy();
  }
  VstIntPtr openEditor() {
    return plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{window.id()}));
  }
  void closeEditor() { plugin.dispatch(effEditClose); }
  void idle(int times = 1) {
    while (times-- > 0) plugin.dispatch(effEditIdle);
  }
  size_t childCount() { return session.children(window.id()).size(); }
  // The editor's window: the one child of the host window, 0 when there is not exactly one.
  WindowId editorWindow() {
    std::vector<WindowId> children = session.children(window.id());
    return children.size() == 1 ? children[0] : 0;
  }
  // Idles the editor until its window shows the panel; false after 2 s.
  bool panelDrawn() {
    return within(2000, [&] {
      idle();
      WindowImage image;
      return editorWindow() != 0 && session.grab(editorWindow(), image) && image.colours() >= 64;
    });
  }
  // Opens the editor in the host window and waits for the panel.
  void openAndDraw() {
    ASSERT_EQ(openEditor(), 1);
    ASSERT_TRUE(panelDrawn());
  }

  XSession session;
  zelrender::PluginHost plugin;
  zelhost::EditorHost host{false};
  zelhost::HostWindow window;

private:
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt) noexcept {
    VstIntPtr answer = zelhost::EditorHost::callback(effect, opcode, index, value, ptr, opt);
    if (opcode == audioMasterUpdateDisplay) ++updateDisplays;
    if (opcode == audioMasterUpdateDisplay && idleOnUpdateDisplay && effect && effect->resvd1)
      effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    return answer;
  }
};

}  // namespace e2e
