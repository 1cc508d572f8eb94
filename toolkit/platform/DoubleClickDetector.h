// Marks the second press of a double click: the same button again within 400 ms and
// 4 pixels of the first press. Times are 32-bit milliseconds (wrapping, as X11 server time).
#pragma once

#include <cstdint>

#include "CButtonState.h"
#include "CPoint.h"

class DoubleClickDetector {
public:
  static constexpr uint32_t kMaxIntervalMs = 400;
  static constexpr CCoord kMaxDistance = 4;

  // Returns buttons, with kDoubleClick added when this press completes a double click.
  CButtonState onPress(const CPoint& where, CButtonState buttons, uint32_t timeMs);
  // Forgets the last press (a third press then starts a new pair).
  void reset() { havePress = false; }

private:
  CPoint lastWhere;
  CButtonState lastButton = 0;
  uint32_t lastTime = 0;
  bool havePress = false;
};
