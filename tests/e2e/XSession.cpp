#include "XSession.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros would clash with it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <mutex>

namespace e2e {
namespace {

std::mutex errorMutex;
Display* ownDisplay = nullptr;
std::vector<std::string> foreignErrorLines;
XErrorHandler previousHandler = nullptr;

int recordError(Display* display, XErrorEvent* event) {
  std::lock_guard<std::mutex> lock(errorMutex);
  if (display == ownDisplay) return 0;
  char text[256] = {};
  XGetErrorText(display, event->error_code, text, sizeof text - 1);
  foreignErrorLines.push_back(std::string(text) + " (request " +
                              std::to_string(event->request_code) + ")");
  return 0;
}

}  // namespace

XSession::XSession() {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  // A server whose last client just left resets (xvfb-run starts it without -noreset) and
  // refuses connections for a moment meanwhile.
  within(2000, [&] { return (display_ = XOpenDisplay(nullptr)) != nullptr; });
  if (display_ == nullptr) {
    const char* name = std::getenv("DISPLAY");
    failure_ = "cannot open the X display \"" + std::string(name ? name : "") +
               "\": the end-to-end tests need an X server (run under xvfb-run -a)";
    return;
  }
  if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
    failure_ = "the X server has no XTest extension";
  }
  std::lock_guard<std::mutex> lock(errorMutex);
  ownDisplay = display_;
  foreignErrorLines.clear();
  previousHandler = XSetErrorHandler(recordError);
}

XSession::~XSession() {
  if (display_ == nullptr) return;
  XSync(display_, False);
  XSetErrorHandler(previousHandler);
  XCloseDisplay(display_);
  std::lock_guard<std::mutex> lock(errorMutex);
  ownDisplay = nullptr;
  for (const std::string& line : foreignErrorLines) ADD_FAILURE() << "X error: " << line;
}

std::vector<WindowId> XSession::children(WindowId window) {
  Window root = 0, parent = 0, *list = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, window, &root, &parent, &list, &count) == 0) return {};
  std::vector<WindowId> result(list, list + count);
  if (list != nullptr) XFree(list);
  return result;
}

bool XSession::geometry(WindowId window, WindowGeometry& g) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  XSizeHints hints{};
  long supplied = 0;
  const bool hinted = XGetWMNormalHints(display_, window, &hints, &supplied) != 0 &&
                      (hints.flags & PMinSize) != 0 && (hints.flags & PMaxSize) != 0;
  g = {attributes.x,
       attributes.y,
       attributes.width,
       attributes.height,
       attributes.map_state == IsViewable,
       hinted && hints.min_width == attributes.width && hints.max_width == attributes.width &&
           hints.min_height == attributes.height && hints.max_height == attributes.height};
  return true;
}

WindowId XSession::findTopLevel(const std::string& title) {
  for (WindowId window : children(DefaultRootWindow(display_))) {
    char* name = nullptr;
    const bool found = XFetchName(display_, window, &name) && name != nullptr && title == name;
    if (name != nullptr) XFree(name);
    if (found) return window;
  }
  return 0;
}

bool XSession::grab(WindowId window, WindowImage& image) {
  WindowGeometry g;
  if (!geometry(window, g) || !g.viewable) return false;
  XImage* picture = XGetImage(display_, window, 0, 0, static_cast<unsigned>(g.width),
                              static_cast<unsigned>(g.height), AllPlanes, ZPixmap);
  if (picture == nullptr) return false;
  image = {g.width, g.height, {}};
  for (int i = 0; i < g.width * g.height; ++i) {
    const unsigned long pixel = XGetPixel(picture, i % g.width, i / g.width);
    image.pixels.push_back(static_cast<uint32_t>(pixel & 0xFFFFFFu));
  }
  XDestroyImage(picture);
  return true;
}

void XSession::requestClose(WindowId window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  XSendEvent(display_, window, False, NoEventMask, &event);
  XSync(display_, False);
}

void XSession::moveTo(WindowId window, int x, int y) {
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), x, y, &rootX, &rootY,
                        &child);
  XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
  XSync(display_, False);
}

void XSession::button(unsigned int number, bool down, unsigned long delayMs) {
  XTestFakeButtonEvent(display_, number, down ? True : False, delayMs);
  XSync(display_, False);
}

void XSession::key(unsigned long keysym, bool down) {
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down ? True : False, CurrentTime);
  XSync(display_, False);
}

}  // namespace e2e
