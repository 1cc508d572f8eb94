#include "ScreenshotRun.h"

#include <chrono>
#include <cstdint>
#include <thread>

#include "DemoFeed.h"
#include "EditorHost.h"
#include "HostWindow.h"
#include "PluginHost.h"
#include "PngFile.h"
#include "PrivateXServer.h"
#include "SessionSetup.h"
#include "SyntheticInput.h"
#include "WindowCapture.h"
#include "WindowRun.h"

namespace zelhost {
namespace {

// Editor idle calls come about every 32 ms of audio, as a host's 30 Hz idle would.
constexpr int kBlocksPerIdle = 3;
// After the demo the editor is idled until two readings of the window agree (the window
// manager has shown it and the editor has drawn everything), at most this long.
constexpr int kSettleMs = 3000;
constexpr int kSettleStepMs = 20;

// Connects the window to the display DISPLAY names or, when there is none, to a private
// server started for the run. The connection stays open, so the server never resets between
// a check and the window.
Outcome connectWindow(HostWindow& window, PrivateXServer& server, int width, int height,
                      std::FILE* out) {
  std::string error;
  if (window.connect(error)) return {};
  if (!server.start(width, height, error)) {
    return Outcome::fail(HostExit::display,
                         "no usable X display, and no private X server could be started: " + error);
  }
  std::fprintf(out, "no usable X display: using a private X server (Xvfb %s)\n",
               server.displayName().c_str());
  if (!window.connect(error)) return Outcome::fail(HostExit::display, error);
  return {};
}

// Idles the editor and reads the window until two readings agree; else the last reading made.
bool settleAndCapture(const zelrender::PluginHost& plugin, HostWindow& window,
                      WindowPicture& picture, std::string& error) {
  WindowPicture previous;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSettleMs);
  do {
    window.processEvents();
    plugin.dispatch(effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(kSettleStepMs));
    if (!captureWindow(window, picture, error)) continue;
    if (picture == previous) return true;
    previous = picture;
  } while (std::chrono::steady_clock::now() < until);
  picture = previous;
  return picture.width > 0;
}

}  // namespace

Outcome runScreenshot(const HostOptions& options, std::FILE* out) {
  PrivateXServer server;         // goes last: after the window and the plug-in's editor
  zelrender::PluginHost plugin;  // outlives host, which unbinds from it when it goes
  EditorHost host(options.verbose, out);
  Outcome loaded = loadPlugin(options, plugin);
  if (!loaded.ok()) return loaded;
  host.attach(plugin);
  Outcome prepared = prepareForDemo(plugin, options);
  if (!prepared.ok()) return prepared;
  int width = 0, height = 0;
  if (!editorSize(plugin, width, height)) {
    return Outcome::fail(HostExit::plugin, "plug-in " + plugin.path() + " reports no editor size");
  }
  HostWindow window;
  Outcome connected = connectWindow(window, server, width, height, out);
  if (!connected.ok()) return connected;
  std::string error;
  if (!window.create(kWindowTitle, width, height, error)) {
    return Outcome::fail(HostExit::display, error);
  }
  host.setWindow(&window);
  void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window.id()));
  if (plugin.dispatch(effEditOpen, 0, 0, parent) == 0) {
    host.setWindow(nullptr);
    return Outcome::fail(HostExit::display, "the plug-in's editor could not open in the window");
  }
  if (editorSize(plugin, width, height) && (width != window.width() || height != window.height())) {
    window.resize(width, height);
  }
  DemoFeed feed(plugin);
  for (int block = 0; feed.framesProcessed() < kScreenshotDemoFrames; ++block) {
    feed.processBlock();
    if (block % kBlocksPerIdle == kBlocksPerIdle - 1) {
      window.processEvents();
      plugin.dispatch(effEditIdle);
    }
  }
  // Scripted clicks and typing, each handled at an idle as a user's would be.
  for (const auto& [x, y] : options.clicks) {
    if (!clickInWindow(window, x, y)) {
      plugin.dispatch(effEditClose);
      host.setWindow(nullptr);
      return Outcome::fail(HostExit::display, "the X server has no XTest for --click");
    }
    window.processEvents();
    plugin.dispatch(effEditIdle);
  }
  if (!options.typed.empty() && !typeIntoWindow(window, options.typed)) {
    plugin.dispatch(effEditClose);
    host.setWindow(nullptr);
    return Outcome::fail(HostExit::display, "cannot type \"" + options.typed + "\"");
  }
  WindowPicture picture;
  const bool captured = settleAndCapture(plugin, window, picture, error);
  plugin.dispatch(effEditClose);
  host.setWindow(nullptr);
  window.destroy();
  if (!captured) return Outcome::fail(HostExit::display, "no picture of the editor: " + error);
  if (!writePng(options.screenshot, picture, error)) {
    return Outcome::fail(HostExit::output, error);
  }
  if (options.verbose) printGainReduction(plugin, out);
  std::fprintf(out, "wrote %s (%d x %d)\n", options.screenshot.c_str(), picture.width,
               picture.height);
  return {};
}

}  // namespace zelhost
