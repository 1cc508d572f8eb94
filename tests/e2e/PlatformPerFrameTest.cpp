// Each editor chooses its own platform: an offscreen editor and one in a real X11 window live
// side by side in one process, whichever opens first, and show the same panel.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "AEffGUIEditor.h"
#include "CFrame.h"
#include "HostWindow.h"
#include "XSession.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace e2e {
namespace {

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// The pixels of an offscreen frame, 0xRRGGBB each.
WindowImage pictureOf(const CFrame* frame) {
  WindowImage image{static_cast<int>(frame->getWidth()), static_cast<int>(frame->getHeight()), {}};
  const OffscreenPlatformFrame* screen = OffscreenPlatformFrame::of(frame);
  for (int i = 0; screen != nullptr && i < image.width * image.height; ++i) {
    CColor c;
    screen->getPixel(i % image.width, i / image.width, c);
    image.pixels.push_back(uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue);
  }
  return image;
}

TEST(PlatformPerFrame, AnOffscreenAndAnX11EditorOpenSideBySideInEitherOrder) {
  XSession session;
  ASSERT_TRUE(session.ok()) << session.failure();
  zelhost::HostWindow window;
  std::string error;
  ASSERT_TRUE(window.create("two editors", 811, 286, error)) << error;
  void* parent = reinterpret_cast<void*>(uintptr_t{window.id()});
  auto offscreenEffect = std::unique_ptr<ZelFETcomp>(createZelFETcomp(&quietHost));
  auto windowEffect = std::unique_ptr<ZelFETcomp>(createZelFETcomp(&quietHost));
  auto* offscreen = static_cast<AEffGUIEditor*>(offscreenEffect->getEditor());
  auto* windowed = static_cast<AEffGUIEditor*>(windowEffect->getEditor());
  offscreen->setPlatformFrameFactory(createOffscreenPlatformFrame);

  for (bool offscreenFirst : {true, false}) {
    SCOPED_TRACE(offscreenFirst ? "offscreen editor opened first" : "window editor opened first");
    AEffGUIEditor* order[2] = {offscreen, windowed};
    if (!offscreenFirst) std::swap(order[0], order[1]);
    // Both get the same real parent: only the offscreen one ignores it.
    for (AEffGUIEditor* editor : order) ASSERT_TRUE(editor->open(parent));
    EXPECT_NE(OffscreenPlatformFrame::of(offscreen->getFrame()), nullptr);
    EXPECT_EQ(OffscreenPlatformFrame::of(windowed->getFrame()), nullptr);
    ASSERT_EQ(session.children(window.id()).size(), 1u) << "one X11 window, the other offscreen";

    const WindowId child = session.children(window.id())[0];
    WindowImage shown;
    EXPECT_TRUE(within(2000, [&] {
      offscreen->idle();
      windowed->idle();
      return session.grab(child, shown) && shown.colours() >= 64;
    }));
    const WindowImage drawn = pictureOf(offscreen->getFrame());
    EXPECT_TRUE(drawn.width == shown.width && drawn.height == shown.height);
    EXPECT_TRUE(drawn.pixels == shown.pixels) << "the two platforms draw the same panel";
    offscreen->close();
    windowed->close();
    EXPECT_TRUE(session.children(window.id()).empty());
  }
  window.destroy();
}

}  // namespace
}  // namespace e2e
