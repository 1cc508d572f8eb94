// The open list of a COptionMenu: a modal view over the whole frame that draws the entries
// in columns and takes every mouse and key event until it closes.
#pragma once

#include <vector>

#include "CView.h"

class COptionMenu;

class COptionMenuPopup : public CView {
public:
  // Lays out the menu's entries beside the menu within frameRect.
  COptionMenuPopup(COptionMenu* menu, const CRect& frameRect);
  ~COptionMenuPopup() override;

  // Area of the list and of one entry (empty for an index out of range).
  const CRect& getListRect() const { return listRect; }
  CRect getEntryRect(int32_t index) const;
  // Entry under a point (-1 for none).
  int32_t entryAt(const CPoint& where) const;
  int32_t getHighlighted() const { return highlighted; }

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& keyCode) override;
  int32_t onKeyUp(CKeyCode& keyCode) override;

  // Ends the list: the menu hears of the choice (-1: none); the view detaches itself.
  void finish(int32_t chosen);

private:
  void setHighlighted(int32_t index);

  COptionMenu* menu;
  CRect listRect;
  CCoord columnWidth = 0;
  CCoord rowHeight = 0;
  int32_t rows = 1;
  int32_t count = 0;
  int32_t highlighted = -1;
  CPoint pressPoint;
  bool openingPress = true;
  bool finished = false;
};
