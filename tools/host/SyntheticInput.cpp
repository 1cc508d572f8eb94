#include "SyntheticInput.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "HostWindow.h"

namespace zelhost {
namespace {

bool hasXTest(Display* display) {
  int event = 0, error = 0, major = 0, minor = 0;
  return display && XTestQueryExtension(display, &event, &error, &major, &minor);
}

void pressAndRelease(Display* display, KeyCode code) {
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
}

}  // namespace

bool clickInWindow(HostWindow& window, int x, int y) {
  Display* display = window.display();
  if (!hasXTest(display) || !window.exists()) return false;
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window.id(), DefaultRootWindow(display), x, y, &rootX, &rootY,
                        &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
  return true;
}

bool typeIntoWindow(HostWindow& window, const std::string& text) {
  Display* display = window.display();
  if (!hasXTest(display)) return false;
  const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7e) return false;
    const KeySym wanted = c;  // printable ASCII keysyms are their character codes
    const KeyCode code = XKeysymToKeycode(display, wanted);
    if (code == 0) return false;
    const bool needsShift = XkbKeycodeToKeysym(display, code, 0, 0) != wanted;
    if (needsShift) XTestFakeKeyEvent(display, shift, True, CurrentTime);
    pressAndRelease(display, code);
    if (needsShift) XTestFakeKeyEvent(display, shift, False, CurrentTime);
  }
  XSync(display, False);
  return true;
}

}  // namespace zelhost
