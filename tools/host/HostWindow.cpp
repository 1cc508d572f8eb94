#include "HostWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

namespace zelhost {

HostWindow::~HostWindow() { destroy(); }

bool HostWindow::connect(std::string& error) {
  if (display_ != nullptr) return true;
  const char* name = std::getenv("DISPLAY");
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    error = (name == nullptr || *name == '\0')
                ? std::string("no X display (DISPLAY is not set)")
                : "cannot open the X display \"" + std::string(name) + "\"";
    return false;
  }
  return true;
}

bool HostWindow::create(const std::string& title, int width, int height, std::string& error) {
  destroyWindow();
  closeRequested_ = false;
  if (width < 1 || height < 1 || width > 32767 || height > 32767) {
    error = "the editor reports an unusable size " + std::to_string(width) + " x " +
            std::to_string(height);
    return false;
  }
  if (!connect(error)) return false;
  int screen = DefaultScreen(display_);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display_, screen);
  attributes.event_mask = StructureNotifyMask;
  window_ =
      XCreateWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWBackPixel | CWEventMask, &attributes);
  if (window_ == 0) {
    error = "cannot create a window on the X display";
    destroy();
    return false;
  }
  width_ = width;
  height_ = height;

  XStoreName(display_, window_, title.c_str());
  // Window managers of today read the UTF-8 title.
  Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  XChangeProperty(display_, window_, netName, utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
  XClassHint* classHint = XAllocClassHint();
  if (classHint != nullptr) {
    char resName[] = "zel-host";
    char resClass[] = "ZelHost";
    classHint->res_name = resName;
    classHint->res_class = resClass;
    XSetClassHint(display_, window_, classHint);
    XFree(classHint);
  }
  Atom deleteAtom = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  deleteAtom_ = deleteAtom;
  XSetWMProtocols(display_, window_, &deleteAtom, 1);
  setFixedSize(width, height);

  XMapWindow(display_, window_);
  XSync(display_, False);
  return true;
}

void HostWindow::setFixedSize(int width, int height) {
  XSizeHints* hints = XAllocSizeHints();
  if (hints == nullptr) return;
  hints->flags = PSize | PMinSize | PMaxSize;
  hints->width = hints->min_width = hints->max_width = width;
  hints->height = hints->min_height = hints->max_height = height;
  XSetWMNormalHints(display_, window_, hints);
  XFree(hints);
}

void HostWindow::resize(int width, int height) {
  if (window_ == 0 || width < 1 || height < 1) return;
  // Hints first: a window manager holding the old minimum = maximum would refuse the size.
  setFixedSize(width, height);
  XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(display_, False);
  width_ = width;
  height_ = height;
}

bool HostWindow::processEvents() {
  if (display_ == nullptr) return closeRequested_;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == ClientMessage && event.xclient.window == window_ &&
        event.xclient.format == 32 &&
        static_cast<Atom>(event.xclient.data.l[0]) == static_cast<Atom>(deleteAtom_)) {
      closeRequested_ = true;
    } else if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
      closeRequested_ = true;
      window_ = 0;
    }
  }
  return closeRequested_;
}

void HostWindow::unmap() {
  if (window_ == 0) return;
  XUnmapWindow(display_, window_);
  XSync(display_, False);
}

void HostWindow::map() {
  if (window_ == 0) return;
  XMapWindow(display_, window_);
  XSync(display_, False);
}

void HostWindow::destroyWindow() {
  if (display_ == nullptr || window_ == 0) return;
  XDestroyWindow(display_, window_);
  XSync(display_, False);
  window_ = 0;
}

void HostWindow::destroy() {
  if (display_ == nullptr) return;
  destroyWindow();
  XCloseDisplay(display_);
  display_ = nullptr;
}

}  // namespace zelhost
