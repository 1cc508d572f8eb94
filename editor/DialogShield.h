// A transparent view over the whole frame while a file dialog is up: as the frame's modal
// view it takes every click, wheel and key so the panel ignores them, and draws nothing,
// so the panel below keeps drawing itself.
#pragma once

#include "CView.h"

class DialogShield : public CView {
public:
  explicit DialogShield(const CRect& frameSize);

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& keyCode) override;
};
