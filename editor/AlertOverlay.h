// A warning drawn over the panel, for desktops without a dialog program: the message
// in a box with an "OK" button. Shown as the frame's modal view; a click on OK (or the
// Return or Escape key) marks it dismissed, and the editor's idle removes it.
#pragma once

#include <string>

#include "CView.h"

class AlertOverlay : public CView {
public:
  AlertOverlay(const CRect& frameSize, const std::string& message);

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& key) override;

  bool isDismissed() const { return dismissed; }
  const std::string& getMessage() const { return message; }
  // Where the OK button is drawn.
  CRect okButtonRect() const;

private:
  CRect boxRect() const;

  std::string message;
  bool dismissed = false;
};
