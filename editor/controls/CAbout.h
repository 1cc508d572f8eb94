// The about box: a click on its area shows the about picture with the version text over
// the display area, as the frame's modal view; a click on the picture closes it. Its value
// is 1 while the picture is shown (the editor pauses the meter then), else 0.
#pragma once

#include "CSplashScreen.h"

class CSplashScreenMyView;

class CAbout : public CSplashScreen {
public:
  // picture is shown into displayArea from pictureOffset; the version text is drawn at
  // versionPosition, relative to the display area's top left.
  CAbout(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* picture,
         const CRect& displayArea, const CPoint& pictureOffset, const CPoint& versionPosition);
  ~CAbout() override;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  // Closes the picture: value 0, the picture view detached from the frame and released.
  void unSplash() override;
  bool removed(CView* parent) override;

  const CPoint& getVersionPosition() const { return versionPosition; }
  // The picture view while it is shown, else null.
  CSplashScreenMyView* getPictureView() const { return pictureView; }

private:
  friend class CSplashScreenMyView;

  CPoint versionPosition;
  CSplashScreenMyView* pictureView = nullptr;
};
