#include "CSplashScreen.h"

#include "CBitmap.h"
#include "CFrame.h"

// The picture shown by a CSplashScreen.
class CSplashScreenView : public CView {
public:
  CSplashScreenView(CSplashScreen* owner, const CRect& area) : CView(area), splash(owner) {
    setBackground(owner->getBackground());
  }
  ~CSplashScreenView() override {
    if (splash && splash->splashView == this) splash->splashView = nullptr;
  }
  void draw(CDrawContext* context) override {
    if (background && splash) background->draw(context, size, splash->getOffset());
  }
  CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    if (splash) splash->unSplash();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  void ownerGone() { splash = nullptr; }

private:
  CSplashScreen* splash;
};

CSplashScreen::CSplashScreen(const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap,
                             const CRect& area, const CPoint& pictureOffset)
    : CControl(rect, l, t, bitmap), toDisplay(area), offset(pictureOffset) {
  defaultValue = 0.f;
}

CSplashScreen::~CSplashScreen() {
  if (splashView) splashView->ownerGone();
}

void CSplashScreen::draw(CDrawContext*) {}

CMouseEventResult CSplashScreen::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  if (getValue() != vmin) {
    unSplash();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  CFrame* frame = getFrame();
  if (!frame) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  auto* view = new CSplashScreenView(this, toDisplay);
  if (!frame->setModalView(view)) {
    view->forget();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  splashView = view;
  setValue(vmax);
  valueChanged();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CSplashScreen::unSplash() {
  setValue(vmin);
  setDirty(true);
  CSplashScreenView* view = splashView;
  if (!view) return;
  splashView = nullptr;
  view->ownerGone();
  CFrame* frame = view->getFrame();
  if (frame && frame->getModalView() == view) {
    frame->setModalView(nullptr);
    frame->setDirty(true);
    view->forget();
  }
}

bool CSplashScreen::removed(CView* parent) {
  if (splashView) unSplash();
  return CControl::removed(parent);
}
