#include "platform/DoubleClickDetector.h"

#include <cmath>

CButtonState DoubleClickDetector::onPress(const CPoint& where, CButtonState buttons,
                                          uint32_t timeMs) {
  CButtonState button = buttons & kMouseButtonMask;
  bool isDouble = havePress && button == lastButton && (timeMs - lastTime) <= kMaxIntervalMs &&
                  std::fabs(where.x - lastWhere.x) <= kMaxDistance &&
                  std::fabs(where.y - lastWhere.y) <= kMaxDistance;
  if (isDouble) {
    havePress = false;
    return buttons | kDoubleClick;
  }
  havePress = true;
  lastWhere = where;
  lastButton = button;
  lastTime = timeMs;
  return buttons;
}
