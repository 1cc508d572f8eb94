// The editor opened, idled and closed in a real window while another thread processes audio
// and automates parameters through the record, as hosts do. Run under ThreadSanitizer too.
#include <atomic>
#include <chrono>
#include <thread>

#include "DemoFeed.h"
#include "EditorFixture.h"

namespace e2e {
namespace {

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

  for (int cycle = 0; cycle < 30; ++cycle) {
    if (openEditor() != 1) {
      ADD_FAILURE() << "open failed in cycle " << cycle;
      break;
    }
    idle(3);
    closeEditor();
  }
  // Keep the editor open for a while against the running thread.
  if (openEditor() == 1) {
    const int target = blocks.load() + 50;
    while (blocks.load() < target) {
      idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    closeEditor();
  }
  stop = true;
  audio.join();

  EXPECT_GT(blocks.load(), 50);
  session.sync();
  EXPECT_TRUE(session.children(window.id()).empty());
}

}  // namespace
}  // namespace e2e
