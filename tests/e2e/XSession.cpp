#include "XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <set>

namespace e2e {
namespace {

std::mutex errorMutex;
std::vector<Display*> trustedDisplays;
std::vector<std::string> foreignErrorLines;

int recordError(Display* display, XErrorEvent* event) {
  std::lock_guard<std::mutex> lock(errorMutex);
  if (std::find(trustedDisplays.begin(), trustedDisplays.end(), display) != trustedDisplays.end()) {
    return 0;
  }
  char text[256] = {};
  XGetErrorText(display, event->error_code, text, sizeof text - 1);
  foreignErrorLines.push_back(std::string(text) + " (request " +
                              std::to_string(event->request_code) + ", resource " +
                              std::to_string(event->resourceid) + ")");
  return 0;
}

XErrorHandler previousHandler = nullptr;

}  // namespace

size_t WindowImage::distinctColours() const {
  std::set<uint32_t> colours(pixels.begin(), pixels.end());
  return colours.size();
}

XSession::XSession() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    failure_ =
        "DISPLAY is not set: the end-to-end tests need an X server (run ctest under xvfb-run -a)";
    return;
  }
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    failure_ = "cannot open the X display \"" + std::string(name) + "\"";
    return;
  }
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  xtest_ = XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor) == True;
  if (!xtest_) failure_ = "the X server has no XTest extension";
  {
    std::lock_guard<std::mutex> lock(errorMutex);
    trustedDisplays.push_back(display_);
    foreignErrorLines.clear();
  }
  previousHandler = XSetErrorHandler(recordError);
}

XSession::~XSession() {
  if (display_ == nullptr) return;
  XSync(display_, False);
  XSetErrorHandler(previousHandler);
  XCloseDisplay(display_);
  std::lock_guard<std::mutex> lock(errorMutex);
  trustedDisplays.clear();
}

void XSession::trust(_XDisplay* display) {
  std::lock_guard<std::mutex> lock(errorMutex);
  trustedDisplays.push_back(display);
}

void XSession::untrust(_XDisplay* display) {
  std::lock_guard<std::mutex> lock(errorMutex);
  trustedDisplays.erase(std::remove(trustedDisplays.begin(), trustedDisplays.end(), display),
                        trustedDisplays.end());
}

std::vector<std::string> XSession::foreignErrors() const {
  std::lock_guard<std::mutex> lock(errorMutex);
  return foreignErrorLines;
}

void XSession::sync() {
  if (display_ != nullptr) XSync(display_, False);
}

std::vector<WindowId> XSession::children(WindowId window) {
  std::vector<WindowId> result;
  Window root = 0, parent = 0;
  Window* list = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, window, &root, &parent, &list, &count) != 0) {
    result.assign(list, list + count);
  }
  if (list != nullptr) XFree(list);
  return result;
}

bool XSession::exists(WindowId window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display_, window, &attributes) != 0;
}

bool XSession::geometry(WindowId window, WindowGeometry& g) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  g.x = attributes.x;
  g.y = attributes.y;
  g.width = attributes.width;
  g.height = attributes.height;
  g.viewable = attributes.map_state == IsViewable;
  return true;
}

bool XSession::title(WindowId window, std::string& text) {
  char* name = nullptr;
  if (XFetchName(display_, window, &name) == 0 || name == nullptr) return false;
  text = name;
  XFree(name);
  return true;
}

bool XSession::sizeLimits(WindowId window, int& minWidth, int& minHeight, int& maxWidth,
                          int& maxHeight) {
  XSizeHints hints{};
  long supplied = 0;
  if (XGetWMNormalHints(display_, window, &hints, &supplied) == 0) return false;
  if ((hints.flags & PMinSize) == 0 || (hints.flags & PMaxSize) == 0) return false;
  minWidth = hints.min_width;
  minHeight = hints.min_height;
  maxWidth = hints.max_width;
  maxHeight = hints.max_height;
  return true;
}

WindowId XSession::findTopLevel(const std::string& wanted) {
  for (WindowId window : children(DefaultRootWindow(display_))) {
    std::string text;
    if (title(window, text) && text == wanted) return window;
  }
  return 0;
}

bool XSession::grab(WindowId window, WindowImage& image) {
  WindowGeometry g;
  if (!geometry(window, g) || !g.viewable) return false;
  XImage* picture = XGetImage(display_, window, 0, 0, static_cast<unsigned>(g.width),
                              static_cast<unsigned>(g.height), AllPlanes, ZPixmap);
  if (picture == nullptr) return false;
  image.width = g.width;
  image.height = g.height;
  image.pixels.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      image.pixels[static_cast<size_t>(y * g.width + x)] =
          static_cast<uint32_t>(XGetPixel(picture, x, y) & 0xFFFFFFu);
    }
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
  event.xclient.data.l[1] = CurrentTime;
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

void XSession::click(unsigned int number) {
  button(number, true);
  button(number, false);
}

void XSession::key(unsigned long keysym, bool down) {
  KeyCode code = XKeysymToKeycode(display_, keysym);
  XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
  XSync(display_, False);
}

int openDescriptorCount() {
  DIR* dir = opendir("/proc/self/fd");
  if (dir == nullptr) return -1;
  int count = 0;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] != '.') ++count;
  }
  closedir(dir);
  return count;
}

}  // namespace e2e
