#include "platform/x11/X11Input.h"

#include <X11/X.h>
#include <X11/keysym.h>

CButtonState x11StateToButtons(unsigned int state) {
  CButtonState b = 0;
  if (state & ShiftMask) b |= kShift;
  if (state & ControlMask) b |= kCommand;
  if (state & Mod1Mask) b |= kAlt;
  if (state & Mod4Mask) b |= kControl;
  if (state & Button1Mask) b |= kLButton;
  if (state & Button2Mask) b |= kMButton;
  if (state & Button3Mask) b |= kRButton;
  return b;
}

CButtonState x11ButtonToBit(unsigned int button) {
  switch (button) {
    case Button1:
      return kLButton;
    case Button2:
      return kMButton;
    case Button3:
      return kRButton;
    default:
      return 0;
  }
}

float x11ButtonToWheel(unsigned int button) {
  if (button == Button4) return 1.f;
  if (button == Button5) return -1.f;
  return 0.f;
}

namespace {

uint8_t virtualKey(unsigned long keysym) {
  switch (keysym) {
    case XK_BackSpace:
      return kVKeyBack;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return kVKeyTab;
    case XK_Clear:
      return kVKeyClear;
    case XK_Return:
      return kVKeyReturn;
    case XK_Pause:
      return kVKeyPause;
    case XK_Escape:
      return kVKeyEscape;
    case XK_space:
      return kVKeySpace;
    case XK_End:
    case XK_KP_End:
      return kVKeyEnd;
    case XK_Home:
    case XK_KP_Home:
      return kVKeyHome;
    case XK_Left:
    case XK_KP_Left:
      return kVKeyLeft;
    case XK_Up:
    case XK_KP_Up:
      return kVKeyUp;
    case XK_Right:
    case XK_KP_Right:
      return kVKeyRight;
    case XK_Down:
    case XK_KP_Down:
      return kVKeyDown;
    case XK_Page_Up:
    case XK_KP_Page_Up:
      return kVKeyPageUp;
    case XK_Page_Down:
    case XK_KP_Page_Down:
      return kVKeyPageDown;
    case XK_Select:
      return kVKeySelect;
    case XK_Print:
      return kVKeyPrint;
    case XK_KP_Enter:
      return kVKeyEnter;
    case XK_Insert:
    case XK_KP_Insert:
      return kVKeyInsert;
    case XK_Delete:
    case XK_KP_Delete:
      return kVKeyDelete;
    case XK_Help:
      return kVKeyHelp;
    case XK_KP_Multiply:
      return kVKeyMultiply;
    case XK_KP_Add:
      return kVKeyAdd;
    case XK_KP_Separator:
      return kVKeySeparator;
    case XK_KP_Subtract:
      return kVKeySubtract;
    case XK_KP_Decimal:
      return kVKeyDecimal;
    case XK_KP_Divide:
      return kVKeyDivide;
    case XK_Num_Lock:
      return kVKeyNumLock;
    case XK_Scroll_Lock:
      return kVKeyScroll;
    case XK_Shift_L:
    case XK_Shift_R:
      return kVKeyShift;
    case XK_Control_L:
    case XK_Control_R:
      return kVKeyControl;
    case XK_Alt_L:
    case XK_Alt_R:
      return kVKeyAlt;
    case XK_KP_Equal:
      return kVKeyEquals;
    default:
      break;
  }
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
    return static_cast<uint8_t>(kVKeyNumpad0 + (keysym - XK_KP_0));
  if (keysym >= XK_F1 && keysym <= XK_F12) return static_cast<uint8_t>(kVKeyF1 + (keysym - XK_F1));
  return 0;
}

int32_t character(unsigned long keysym) {
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
    return static_cast<int32_t>(keysym);  // Latin-1 keysyms are their code points
  if (keysym >= 0x1000100 && keysym <= 0x110FFFF) return static_cast<int32_t>(keysym - 0x1000000);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<int32_t>('0' + (keysym - XK_KP_0));
  switch (keysym) {
    case XK_KP_Multiply:
      return '*';
    case XK_KP_Add:
      return '+';
    case XK_KP_Subtract:
      return '-';
    case XK_KP_Decimal:
      return '.';
    case XK_KP_Divide:
      return '/';
    case XK_KP_Equal:
      return '=';
    default:
      return 0;
  }
}

}  // namespace

CKeyCode x11KeysymToKeyCode(unsigned long keysym, unsigned int state) {
  CKeyCode key;
  key.virt = virtualKey(keysym);
  key.character = character(keysym);
  if (state & ShiftMask) key.modifier |= kKeyModShift;
  if (state & Mod1Mask) key.modifier |= kKeyModAlternate;
  if (state & ControlMask) key.modifier |= kKeyModCommand;
  if (state & Mod4Mask) key.modifier |= kKeyModControl;
  return key;
}
