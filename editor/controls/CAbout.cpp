#include "CAbout.h"

#include "CBitmap.h"
#include "CFrame.h"
#include "CSplashScreenMyView.h"

CAbout::CAbout(const CRect& rect, CControlListener* l, int32_t t, CBitmap* picture,
               const CRect& displayArea, const CPoint& pictureOffset, const CPoint& versionPos)
    : CSplashScreen(rect, l, t, picture, displayArea, pictureOffset), versionPosition(versionPos) {}

CAbout::~CAbout() {
  if (pictureView) pictureView->aboutGone();
}

CMouseEventResult CAbout::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  const bool wasShown = getValue() != 0.f;
  setValue(wasShown ? 0.f : 1.f);
  if (wasShown) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

  CFrame* frame = getFrame();
  auto* view = new CSplashScreenMyView(toDisplay, nullptr, 0, background, this, versionPosition);
  if (!frame || !frame->setModalView(view)) {
    // Nothing is shown (no frame, or another modal view is up): stay closed.
    view->forget();
    setValue(0.f);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  pictureView = view;
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CAbout::unSplash() {
  setValue(vmin);
  setDirty(true);
  CSplashScreenMyView* view = pictureView;
  if (!view) return;
  pictureView = nullptr;
  view->aboutGone();
  CFrame* frame = view->getFrame();
  if (frame) frame->setDirty(true);  // the whole panel is drawn again
  if (frame && frame->getModalView() == view) {
    frame->setModalView(nullptr);
    view->forget();
  }
}

bool CAbout::removed(CView* parent) {
  if (pictureView) unSplash();
  return CSplashScreen::removed(parent);
}
