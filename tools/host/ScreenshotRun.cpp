#include "ScreenshotRun.h"

#include <cstdint>

#include "AEffGUIEditor.h"
#include "CFrame.h"
#include "DemoFeed.h"
#include "EditorHost.h"
#include "PluginHost.h"
#include "SessionSetup.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace zelhost {
namespace {

// Editor idle calls come about every 32 ms of audio, as a host's 30 Hz idle would.
constexpr int kBlocksPerIdle = 3;
// The offscreen frame ignores its parent, but the editor refuses a null one.
const uintptr_t kOffscreenParent = 1;

}  // namespace

Outcome runScreenshot(const HostOptions& options, std::FILE* out) {
  setPlatformFrameFactory(createOffscreenPlatformFrame);
  zelrender::PluginHost plugin;  // outlives host, which unbinds from it when it goes
  EditorHost host(options.verbose, out);
  // The record's trampoline destroys the effect at effClose (in unload).
  auto* effect = createZelFETcomp(&EditorHost::callback);
  Outcome adopted = Outcome::from(plugin.adopt(effect->getAeffect(), "built into zel-host"));
  if (!adopted.ok()) return adopted;
  host.attach(plugin);
  Outcome prepared = prepareForDemo(plugin, options);
  if (!prepared.ok()) return prepared;

  int width = 0, height = 0;
  if (!editorSize(plugin, width, height)) {
    return Outcome::fail(HostExit::plugin, "the editor reports no size");
  }
  void* parent = reinterpret_cast<void*>(kOffscreenParent);
  if (plugin.dispatch(effEditOpen, 0, 0, parent) == 0) {
    return Outcome::fail(HostExit::display, "the editor could not be opened offscreen");
  }
  DemoFeed feed(plugin);
  for (int block = 0; feed.framesProcessed() < kScreenshotDemoFrames; ++block) {
    feed.processBlock();
    if (block % kBlocksPerIdle == kBlocksPerIdle - 1) plugin.dispatch(effEditIdle);
  }
  plugin.dispatch(effEditIdle);

  auto* editor = static_cast<AEffGUIEditor*>(effect->getEditor());
  const OffscreenPlatformFrame* picture =
      editor != nullptr ? OffscreenPlatformFrame::of(editor->getFrame()) : nullptr;
  Outcome written;
  if (picture == nullptr) {
    written = Outcome::fail(HostExit::display, "the editor has no offscreen picture");
  } else if (!picture->writePNG(options.screenshot.c_str())) {
    written = Outcome::fail(HostExit::output, "cannot write " + options.screenshot);
  } else {
    if (options.verbose) printGainReduction(plugin, out);
    std::fprintf(out, "wrote %s (%d x %d)\n", options.screenshot.c_str(), width, height);
  }
  plugin.dispatch(effEditClose);
  host.detach();
  plugin.unload();
  return written;
}

}  // namespace zelhost
