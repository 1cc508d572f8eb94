#include "EditorFixture.h"

#include <chrono>
#include <thread>

namespace e2e {
namespace {

// A panel shows far more colours than a cleared or half-drawn window.
constexpr size_t kPanelColours = 64;

}  // namespace

VstIntPtr EditorFixture::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt) noexcept {
  VstIntPtr answer = zelhost::EditorHost::callback(effect, opcode, index, value, ptr, opt);
  if (opcode == audioMasterUpdateDisplay && idleOnUpdateDisplay.load() && effect != nullptr &&
      effect->resvd1 != 0) {
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
  }
  return answer;
}

void EditorFixture::SetUp() {
  idleOnUpdateDisplay = false;
  ASSERT_TRUE(session.ok()) << session.failure();
  zelrender::Status loaded = plugin.load(ZEL_PLUGIN_PATH, &EditorFixture::callback);
  ASSERT_TRUE(loaded.ok()) << loaded.message();
  host.attach(plugin);
  zelrender::Status opened = plugin.open(48000.0, 512, false);
  ASSERT_TRUE(opened.ok()) << opened.message();
  makeWindow();
}

void EditorFixture::TearDown() {
  if (plugin.loaded()) closeEditor();
  destroyWindow();
  host.detach();
  plugin.unload();
  for (const std::string& line : session.foreignErrors()) {
    ADD_FAILURE() << "an X error reached the host's error handler: " << line;
  }
}

void EditorFixture::makeWindow() {
  destroyWindow();
  std::string error;
  ASSERT_TRUE(window.create("Zel Trevalon", kEditorWidth, kEditorHeight, error)) << error;
  session.trust(window.display());
  host.setWindow(&window);
}

void EditorFixture::destroyWindow() {
  host.setWindow(nullptr);
  if (window.display() != nullptr) session.untrust(window.display());
  window.destroy();
}

void EditorFixture::idle(int times) {
  for (int i = 0; i < times; ++i) plugin.dispatch(effEditIdle);
}

WindowId EditorFixture::editorWindow() {
  std::vector<WindowId> children = session.children(window.id());
  return children.size() == 1 ? children[0] : 0;
}

bool EditorFixture::waitForPanel(WindowImage& image) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < until) {
    idle();
    session.sync();
    WindowId editor = editorWindow();
    if (editor != 0 && session.grab(editor, image) && image.distinctColours() >= kPanelColours) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

}  // namespace e2e
