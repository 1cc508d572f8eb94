// A warning drawn over the panel, for desktops without a dialog program: the message
// in a box with an "OK" button. Shown as the frame's modal view; a click on OK (or the
// Return or Escape key) marks it dismissed, and the editor's idle removes it.
#pragma once

#include <string>
#include <vector>

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
  // The message as drawn: its lines, long ones broken to fit the box.
  const std::vector<std::string>& getLines() const { return lines; }

private:
  CRect boxRect() const;
  // Breaks the message into lines that fit the panel and sizes the box to the widest.
  void layOut();

  std::string message;
  std::vector<std::string> lines;
  CCoord boxWidth = 0;
  bool dismissed = false;
};
