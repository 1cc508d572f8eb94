#include "platform/x11/X11ErrorTrap.h"

#include <atomic>

namespace {
// Innermost trap of this thread; Xlib calls the handler on the thread making the call.
thread_local X11ErrorTrap* innermost = nullptr;
// Handler that was installed before the outermost trap, for errors of other displays.
std::atomic<XErrorHandler> outsideHandler{nullptr};
}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* d) : display(d), outer(innermost) {
  innermost = this;
  previous = XSetErrorHandler(&X11ErrorTrap::handler);
  if (!outer) outsideHandler = previous;
}

X11ErrorTrap::~X11ErrorTrap() {
  XSetErrorHandler(previous);
  innermost = outer;
}

void X11ErrorTrap::sync() {
  if (display) XSync(display, False);
}

int X11ErrorTrap::handler(Display* d, XErrorEvent* event) {
  for (X11ErrorTrap* trap = innermost; trap; trap = trap->outer) {
    if (trap->display == d) {
      trap->errorSeen = true;
      trap->resource = event->resourceid;
      return 0;
    }
  }
  XErrorHandler other = outsideHandler.load();
  return (other && other != &X11ErrorTrap::handler) ? other(d, event) : 0;
}
