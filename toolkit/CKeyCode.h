// A key event: character, virtual key and modifiers. Virtual key and modifier
// numbers are those of VST 2.4 key codes, so a host key code converts field by field.
#pragma once

#include <cstdint>

struct CKeyCode {
  int32_t character = 0;  // code point of a printable key (ASCII / Latin-1 / Unicode), else 0
  uint8_t virt = 0;       // CVirtualKey, 0 for a plain character
  uint8_t modifier = 0;   // CKeyModifier bits
};

enum CVirtualKey : uint8_t {
  kVKeyBack = 1,
  kVKeyTab = 2,
  kVKeyClear = 3,
  kVKeyReturn = 4,
  kVKeyPause = 5,
  kVKeyEscape = 6,
  kVKeySpace = 7,
  kVKeyNext = 8,
  kVKeyEnd = 9,
  kVKeyHome = 10,
  kVKeyLeft = 11,
  kVKeyUp = 12,
  kVKeyRight = 13,
  kVKeyDown = 14,
  kVKeyPageUp = 15,
  kVKeyPageDown = 16,
  kVKeySelect = 17,
  kVKeyPrint = 18,
  kVKeyEnter = 19,
  kVKeySnapshot = 20,
  kVKeyInsert = 21,
  kVKeyDelete = 22,
  kVKeyHelp = 23,
  kVKeyNumpad0 = 24,  // to kVKeyNumpad0 + 9
  kVKeyMultiply = 34,
  kVKeyAdd = 35,
  kVKeySeparator = 36,
  kVKeySubtract = 37,
  kVKeyDecimal = 38,
  kVKeyDivide = 39,
  kVKeyF1 = 40,  // to kVKeyF1 + 11
  kVKeyNumLock = 52,
  kVKeyScroll = 53,
  kVKeyShift = 54,
  kVKeyControl = 55,
  kVKeyAlt = 56,
  kVKeyEquals = 57,
};

enum CKeyModifier : uint8_t {
  kKeyModShift = 1 << 0,
  kKeyModAlternate = 1 << 1,
  kKeyModCommand = 1 << 2,  // the Ctrl key on Linux
  kKeyModControl = 1 << 3,  // the Super key on Linux
};

// Answers of key handlers.
constexpr int32_t kKeyHandled = 1;
constexpr int32_t kKeyNotHandled = -1;
