// The built plug-in loaded through its entry point, as zel-host loads it, with its editor in
// a top-level X11 window of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "EditorHost.h"
#include "HostWindow.h"
#include "PluginHost.h"
#include "XSession.h"

namespace e2e {

inline constexpr int kEditorWidth = 811;
inline constexpr int kEditorHeight = 286;

class EditorFixture : public ::testing::Test {
 protected:
  // When set, the host also runs the editor's idle from inside every audioMasterUpdateDisplay,
  // as a host refreshing its view at once would.
  static inline std::atomic<bool> idleOnUpdateDisplay{false};

  void SetUp() override;
  void TearDown() override;

  // A new top-level window for the editor.
  void makeWindow();
  // Destroys the host window (and with it the editor's window, if still there).
  void destroyWindow();
  void* parentHandle() const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window.id()));
  }
  VstIntPtr openEditor() { return plugin.dispatch(effEditOpen, 0, 0, parentHandle()); }
  void closeEditor() { plugin.dispatch(effEditClose); }
  void idle(int times = 1);
  // The editor's window: the one child of the host window, 0 when there is not exactly one.
  WindowId editorWindow();
  // Idles the editor until its window shows the panel (many colours); false after 2 s.
  bool waitForPanel(WindowImage& image);

  XSession session;
  zelrender::PluginHost plugin;
  zelhost::EditorHost host{false};
  zelhost::HostWindow window;

 private:
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt) noexcept;
};

}  // namespace e2e
