#include "platform/x11/X11PlatformFrame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <cmath>
#include <cstdint>

#include "platform/DoubleClickDetector.h"
#include "platform/cairo/BackBufferFrame.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Input.h"

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                            FocusChangeMask | StructureNotifyMask;

class X11Frame : public BackBufferFrame {
public:
  X11Frame(IPlatformFrameOwner* frameOwner, const CRect& rect, void* parent);
  ~X11Frame() override;

  bool isValid() const { return window != 0 && windowSurface != nullptr; }
  void processEvents() override;
  void takeKeyboardFocus() override;

protected:
  void present(const CRect& area) override;

private:
  void dispatch(XEvent& event, CRect& exposed);
  void noteErrors(const X11ErrorTrap& trap);
  // Whether the window is mapped with all its ancestors (asks the server).
  bool isViewable();
  // Moves the back buffer into memory shared with the X server, when it offers it.
  void shareBackBuffer(int width, int height);
  CKeyCode keyCodeOf(XKeyEvent& event);

  Display* display = nullptr;
  Window window = 0;
  cairo_surface_t* windowSurface = nullptr;
  bool windowAlive = false;
  bool inEvents = false;
  DoubleClickDetector doubleClicks;
};

X11Frame::X11Frame(IPlatformFrameOwner* frameOwner, const CRect& rect, void* parent)
    : BackBufferFrame(frameOwner, rect) {
  auto parentWindow = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
  int width = static_cast<int>(rect.getWidth()), height = static_cast<int>(rect.getHeight());
  if (!parentWindow || !backBuffer || width < 1 || height < 1) return;
  display = XOpenDisplay(nullptr);
  if (!display) return;
  X11ErrorTrap trap(display);
  XWindowAttributes parentAttributes;
  if (!XGetWindowAttributes(display, parentWindow, &parentAttributes) || trap.failed()) return;

  XSetWindowAttributes attributes{};
  attributes.event_mask = kEventMask;
  attributes.background_pixmap = None;  // no flash of a background colour: we draw everything
  attributes.bit_gravity = NorthWestGravity;
  window = XCreateWindow(display, parentWindow, static_cast<int>(rect.left),
                         static_cast<int>(rect.top), static_cast<unsigned>(width),
                         static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                         CopyFromParent, CWEventMask | CWBackPixmap | CWBitGravity, &attributes);
  // Fixed size, for hosts that copy the hints to their own window.
  XSizeHints* hints = XAllocSizeHints();
  if (hints) {
    hints->flags = PMinSize | PMaxSize | PSize;
    hints->min_width = hints->max_width = hints->width = width;
    hints->min_height = hints->max_height = hints->height = height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
  }
  XMapWindow(display, window);
  trap.sync();
  if (trap.failed()) {
    window = 0;
    return;
  }
  windowAlive = true;
  windowSurface =
      cairo_xlib_surface_create(display, window, parentAttributes.visual, width, height);
  if (cairo_surface_status(windowSurface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(windowSurface);
    windowSurface = nullptr;
    return;
  }
  shareBackBuffer(width, height);
  XFlush(display);
}

void X11Frame::shareBackBuffer(int width, int height) {
  // Drawn straight where the server reads it: no second copy of the frame's pixels is made
  // for showing them. Nothing has been drawn yet, so the old buffer is simply replaced.
  cairo_surface_t* shared =
      cairo_surface_create_similar_image(windowSurface, CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(shared) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_get_type(shared) != CAIRO_SURFACE_TYPE_IMAGE) {
    cairo_surface_destroy(shared);
    return;
  }
  backBuffer->forget();
  backBuffer = new CairoBitmap(shared);
}

X11Frame::~X11Frame() {
  *alive = false;
  if (!display) return;
  X11ErrorTrap trap(display);
  // The back buffer may live in memory shared with this display: it goes first.
  if (backBuffer) backBuffer->forget();
  backBuffer = nullptr;
  if (windowSurface) {
    cairo_surface_finish(windowSurface);
    cairo_surface_destroy(windowSurface);
  }
  // The window may be gone with a parent the host destroyed first; the trap takes the error.
  if (window && windowAlive) XDestroyWindow(display, window);
  trap.sync();
  XCloseDisplay(display);
}

void X11Frame::noteErrors(const X11ErrorTrap& trap) {
  if (trap.failed() && trap.failedResource() == window) windowAlive = false;
}

void X11Frame::present(const CRect& area) {
  if (!windowAlive || !windowSurface) return;
  X11ErrorTrap trap(display);
  CRect r = area;
  r.bound(CRect(0, 0, frameRect.getWidth(), frameRect.getHeight()));
  if (r.isEmpty()) return;
  double left = std::floor(r.left), top = std::floor(r.top);
  cairo_t* cr = cairo_create(windowSurface);
  cairo_rectangle(cr, left, top, std::ceil(r.right) - left, std::ceil(r.bottom) - top);
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, backBuffer->getSurface(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(windowSurface);
  XFlush(display);
  noteErrors(trap);
}

bool X11Frame::isViewable() {
  XWindowAttributes attributes;
  return windowAlive && XGetWindowAttributes(display, window, &attributes) &&
         attributes.map_state == IsViewable;
}

void X11Frame::takeKeyboardFocus() {
  if (!windowAlive) return;
  X11ErrorTrap trap(display);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XFlush(display);
  noteErrors(trap);
}

CKeyCode X11Frame::keyCodeOf(XKeyEvent& event) {
  char buffer[16];
  KeySym keysym = NoSymbol;
  XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
  return x11KeysymToKeyCode(keysym, event.state);
}

void X11Frame::processEvents() {
  if (!display || inEvents) return;
  inEvents = true;
  std::shared_ptr<bool> token = alive;
  X11ErrorTrap trap(display);
  CRect exposed;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    dispatch(event, exposed);
    if (!*token) return;  // the frame was closed by what the event did
  }
  if (!exposed.isEmpty()) owner->platformDrawRect(exposed);
  if (!*token) return;
  trap.sync();
  noteErrors(trap);
  inEvents = false;
}

void X11Frame::dispatch(XEvent& event, CRect& exposed) {
  switch (event.type) {
    case Expose:
      exposed.unite(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                          event.xexpose.y + event.xexpose.height));
      break;
    case ButtonPress: {
      CPoint where(event.xbutton.x, event.xbutton.y);
      CButtonState modifiers = x11StateToButtons(event.xbutton.state) & kModifierMask;
      if (float distance = x11ButtonToWheel(event.xbutton.button); distance != 0) {
        owner->platformOnWheel(where, distance, modifiers);
        break;
      }
      CButtonState bit = x11ButtonToBit(event.xbutton.button);
      if (!bit) break;
      owner->platformOnMouseDown(
          where,
          doubleClicks.onPress(where, bit | modifiers, static_cast<uint32_t>(event.xbutton.time)));
      break;
    }
    case ButtonRelease: {
      CButtonState bit = x11ButtonToBit(event.xbutton.button);
      if (!bit) break;
      CButtonState modifiers = x11StateToButtons(event.xbutton.state) & kModifierMask;
      owner->platformOnMouseUp(CPoint(event.xbutton.x, event.xbutton.y), bit | modifiers);
      break;
    }
    case MotionNotify:
      // Only the latest of consecutive moves matters; other events keep their order.
      while (XPending(display) > 0) {
        XEvent next;
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xmotion.window != event.xmotion.window) break;
        XNextEvent(display, &event);
      }
      owner->platformOnMouseMoved(CPoint(event.xmotion.x, event.xmotion.y),
                                  x11StateToButtons(event.xmotion.state));
      break;
    case EnterNotify:
      if (event.xcrossing.mode == NotifyNormal)
        owner->platformOnMouseMoved(CPoint(event.xcrossing.x, event.xcrossing.y),
                                    x11StateToButtons(event.xcrossing.state));
      break;
    case LeaveNotify: {
      CButtonState buttons = x11StateToButtons(event.xcrossing.state);
      const CPoint where(event.xcrossing.x, event.xcrossing.y);
      // A button held as the pointer leaves: a drag goes on outside while our grab lasts,
      // but if another grab took the pointer or our window stopped being viewable (the host
      // hid it), the release will never reach us, so the press ends here.
      if ((buttons & kMouseButtonMask) && (event.xcrossing.mode != NotifyNormal || !isViewable()))
        owner->platformOnMouseUp(where, buttons);
      else if (event.xcrossing.mode == NotifyNormal)
        owner->platformOnMouseExited(buttons);
      break;
    }
    case KeyPress: {
      CKeyCode key = keyCodeOf(event.xkey);
      owner->platformOnKeyDown(key);
      break;
    }
    case KeyRelease: {
      CKeyCode key = keyCodeOf(event.xkey);
      owner->platformOnKeyUp(key);
      break;
    }
    case DestroyNotify:
      if (event.xdestroywindow.window == window) windowAlive = false;
      break;
    default:
      break;
  }
}

}  // namespace

IPlatformFrame* createX11PlatformFrame(IPlatformFrameOwner* owner, const CRect& rect,
                                       void* parent) {
  auto* frame = new X11Frame(owner, rect, parent);
  if (!frame->isValid()) {
    delete frame;
    return nullptr;
  }
  return frame;
}
