#include "OffscreenPanel.h"

#include <gtest/gtest.h>

#include "AEffGUIEditor.h"
#include "CFrame.h"
#include "DemoFeed.h"
#include "EditorHost.h"
#include "PluginHost.h"
#include "ScreenshotRun.h"
#include "SessionSetup.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace e2e {

WindowImage offscreenPanel(const zelhost::HostOptions& options) {
  zelrender::PluginHost plugin;
  zelhost::EditorHost host(false);
  auto* effect = createZelFETcomp(&zelhost::EditorHost::callback);  // deleted at effClose
  auto* editor = static_cast<AEffGUIEditor*>(effect->getEditor());
  editor->setPlatformFrameFactory(createOffscreenPlatformFrame);
  WindowImage image;
  if (!plugin.adopt(effect->getAeffect(), "in-process effect").ok()) {
    ADD_FAILURE() << "the in-process effect is refused";
    return image;
  }
  host.attach(plugin);
  zelhost::Outcome prepared = zelhost::prepareForDemo(plugin, options);
  // The offscreen platform ignores the parent window, but the editor wants one.
  if (!prepared.ok() || plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(1)) == 0) {
    ADD_FAILURE() << "the offscreen editor does not open: " << prepared.message();
    return image;
  }
  zelhost::DemoFeed feed(plugin);
  for (int block = 0; feed.framesProcessed() < zelhost::kScreenshotDemoFrames; ++block) {
    feed.processBlock();
    if (block % 3 == 2) plugin.dispatch(effEditIdle);
  }
  plugin.dispatch(effEditIdle);
  const OffscreenPlatformFrame* screen = OffscreenPlatformFrame::of(editor->getFrame());
  if (screen != nullptr) {
    image.width = static_cast<int>(editor->getFrame()->getWidth());
    image.height = static_cast<int>(editor->getFrame()->getHeight());
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        CColor c;
        screen->getPixel(x, y, c);
        image.pixels.push_back(uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue);
      }
    }
  }
  EXPECT_NE(screen, nullptr) << "the editor draws offscreen";
  plugin.dispatch(effEditClose);
  host.detach();
  plugin.unload();
  return image;
}

}  // namespace e2e
