#include "WindowRun.h"

#include <csignal>
#include <cstdint>
#include <memory>

#include "EditorHost.h"
#include "HostWindow.h"
#include "Pacer.h"
#include "PluginHost.h"
#include "RealtimeAudio.h"
#include "SessionSetup.h"

namespace zelhost {
namespace {

constexpr int64_t kNsPerSecond = 1000000000;

volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int) { stopSignal = 1; }

// Ctrl+C and kill end the run like the window's close button.
void catchStopSignals() {
  stopSignal = 0;
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// The objects of one run, torn down in the order a host uses.
class WindowSession {
public:
  WindowSession(const HostOptions& options, std::FILE* out)
      : options_(options), out_(out), host_(options.verbose, out) {}
  ~WindowSession() { close(); }

  // Loads and prepares the plug-in, makes the window, opens the editor in it and starts
  // the audio thread.
  Outcome open();
  // Handles the window and idles the editor 30 times a second until the run ends.
  void run();
  // Stops the audio, closes the editor, destroys the window, suspends and closes the
  // plug-in and unloads it.
  void close();

private:
  const HostOptions& options_;
  std::FILE* out_;
  zelrender::PluginHost plugin_;
  EditorHost host_;
  HostWindow window_;
  std::unique_ptr<RealtimeAudio> audio_;
  bool editorOpen_ = false;
};

Outcome WindowSession::open() {
  Outcome loaded = loadPlugin(options_, plugin_);
  if (!loaded.ok()) return loaded;
  host_.attach(plugin_);
  Outcome prepared = prepareForDemo(plugin_, options_);
  if (!prepared.ok()) return prepared;

  // The size is asked before the window is made, and again once the editor is open.
  int width = 0, height = 0;
  if (!editorSize(plugin_, width, height)) {
    return Outcome::fail(HostExit::plugin, "plug-in " + plugin_.path() + " reports no editor size");
  }
  std::string error;
  if (!window_.create(kWindowTitle, width, height, error)) {
    return Outcome::fail(HostExit::display, error);
  }
  host_.setWindow(&window_);
  void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window_.id()));
  if (plugin_.dispatch(effEditOpen, 0, 0, parent) == 0) {
    return Outcome::fail(HostExit::display, "the plug-in's editor could not open in the window");
  }
  editorOpen_ = true;
  if (editorSize(plugin_, width, height) &&
      (width != window_.width() || height != window_.height())) {
    window_.resize(width, height);
  }
  audio_ = std::make_unique<RealtimeAudio>(plugin_);
  audio_->start();
  return {};
}

void WindowSession::run() {
  Pacer pacer(kNsPerSecond / kIdleRate);
  const auto limitNs = static_cast<int64_t>(options_.seconds * 1e9);
  int64_t nextReportNs = kNsPerSecond;
  while (!window_.processEvents() && stopSignal == 0) {
    const int64_t elapsed = pacer.elapsedNs();
    if (limitNs > 0 && elapsed >= limitNs) break;
    plugin_.dispatch(effEditIdle);
    if (options_.verbose && elapsed >= nextReportNs) {
      printGainReduction(plugin_, out_);
      std::fflush(out_);
      nextReportNs += kNsPerSecond;
    }
    pacer.wait();
  }
}

void WindowSession::close() {
  audio_.reset();  // joins the audio thread
  if (editorOpen_) {
    plugin_.dispatch(effEditClose);
    editorOpen_ = false;
  }
  host_.setWindow(nullptr);
  window_.destroy();
  host_.detach();
  plugin_.unload();
}

}  // namespace

Outcome runWindow(const HostOptions& options, std::FILE* out) {
  catchStopSignals();
  WindowSession session(options, out);
  Outcome opened = session.open();
  if (!opened.ok()) return opened;
  session.run();
  session.close();
  return {};
}

}  // namespace zelhost
