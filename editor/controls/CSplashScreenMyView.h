// The about picture with the version text, shown by CAbout as the frame's modal view. A
// left click anywhere on it closes it (the view is released then).
#pragma once

#include "CControl.h"

class CAbout;

class CSplashScreenMyView : public CControl {
public:
  static constexpr const char* kVersionText = "v.1.0.0";

  // Shows picture over size; about is the box that opened it (null: a click only detaches).
  CSplashScreenMyView(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* picture,
                      CAbout* about, const CPoint& versionPosition);
  ~CSplashScreenMyView() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

  // Called by the about box when it goes first.
  void aboutGone() { about = nullptr; }

private:
  CAbout* about;
  CPoint versionPosition;
};
