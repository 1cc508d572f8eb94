// One of the panel's seven value displays: shows a parameter's engineering value as
// text over the panel, and a left click on it asks the listener (the editor) to open
// an entry field where the user types a value.
#pragma once

#include "CParamDisplay.h"

class ZelValueDisplay : public CParamDisplay {
public:
  // Tags of displays and of their entry fields: the parameter index plus these bases.
  static constexpr int32_t kDisplayTagBase = 100;
  static constexpr int32_t kEntryTagBase = 120;

  // Shows parameter `index` over `panel` (drawn from the display's own position).
  ZelValueDisplay(const CRect& size, CControlListener* listener, int32_t index, CBitmap* panel);

  int32_t getParameterIndex() const { return getTag() - kDisplayTagBase; }
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
};
