// An invisible click area that shows a picture over a display area of the frame as a
// modal view; a click on the picture (or unSplash) hides it again.
#pragma once

#include "CControl.h"

class CSplashScreenView;

class CSplashScreen : public CControl {
public:
  // background is the picture; it is drawn into toDisplay from offset.
  CSplashScreen(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                const CRect& toDisplay, const CPoint& offset = CPoint());
  ~CSplashScreen() override;

  // The click area itself draws nothing.
  void draw(CDrawContext* context) override;
  // Left click: shows the picture (value = max) or, if shown, hides it.
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  // Sets the value to the minimum and removes the picture view this splash screen opened.
  virtual void unSplash();

  const CRect& getDisplayArea() const { return toDisplay; }
  const CPoint& getOffset() const { return offset; }
  bool removed(CView* parent) override;

protected:
  CRect toDisplay;
  CPoint offset;

private:
  friend class CSplashScreenView;
  CSplashScreenView* splashView = nullptr;
};
