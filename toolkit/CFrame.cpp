#include "CFrame.h"

#include "CDrawContext.h"
#include "VSTGUIEditorInterface.h"

namespace {

// Keeps a view alive for the time of a call into it.
class Hold {
public:
  explicit Hold(CView* v) : view(v) {
    if (view) view->remember();
  }
  ~Hold() {
    if (view) view->forget();
  }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

private:
  CView* view;
};

}  // namespace

CFrame::CFrame(const CRect& rect, void* window, VSTGUIEditorInterface* editorInterface)
    : CFrame(rect, window, editorInterface,
             editorInterface ? editorInterface->getPlatformFrameFactory() : nullptr) {}

CFrame::CFrame(const CRect& rect, void* window, VSTGUIEditorInterface* editorInterface,
               PlatformFrameFactory factory)
    : CViewContainer(CRect(0, 0, rect.getWidth(), rect.getHeight())),
      editor(editorInterface),
      systemWindow(window) {
  parentFrame = this;
  containerDirty = true;
  if (!factory) factory = defaultPlatformFrameFactory();
  platformFrame = factory(this, rect, window);
}

CFrame::~CFrame() { releaseAll(); }

void CFrame::releaseAll() {
  if (closed) return;
  closed = true;
  // Views leave without focus notifications: nothing may report while the frame goes away.
  modalView = focusView = hoverView = nullptr;
  mouseDownView = nullptr;
  removeAll(true);
  delete platformFrame;
  platformFrame = nullptr;
}

void CFrame::close() {
  if (closed) return;
  releaseAll();
  forget();
}

void CFrame::idle() {
  processEvents();
  invalidateDirtyViews();
}

void CFrame::processEvents() {
  if (platformFrame) platformFrame->processEvents();
}

CDrawContext* CFrame::createDrawContext() {
  return platformFrame ? platformFrame->createDrawContext() : nullptr;
}

void CFrame::invalidRect(const CRect& rect) {
  CRect area = rect;
  area.normalize().bound(size);
  if (area.isEmpty()) return;
  CDrawContext* context = createDrawContext();
  if (!context) return;
  drawRect(context, area);
  context->forget();
  if (area == size) containerDirty = false;  // everything was just drawn
}

void CFrame::invalid() { invalidRect(size); }

bool CFrame::setModalView(CView* view) {
  if (view) {
    if (modalView || !addView(view)) return false;
    modalView = view;
    CPoint where = mousePosition;
    setHoverView(nullptr, where, mouseButtons);
    view->invalid();
    return true;
  }
  if (modalView) {
    CView* old = modalView;
    modalView = nullptr;
    removeView(old, false);
  }
  return true;
}

void CFrame::setFocusView(CView* view) {
  if (view == focusView) return;
  CView* old = focusView;
  focusView = view;
  if (old) {
    Hold hold(old);
    old->looseFocus();
  }
  if (focusView && focusView == view) {
    view->takeFocus();
    if (platformFrame) platformFrame->takeKeyboardFocus();
  }
}

void CFrame::childRemoving(CView* view) {
  CViewContainer::childRemoving(view);
  if (view == modalView) modalView = nullptr;
  if (view == focusView) focusView = nullptr;
  if (view == hoverView) hoverView = nullptr;
}

void CFrame::setHoverView(CView* view, CPoint& where, CButtonState buttons) {
  if (view == hoverView) return;
  CView* old = hoverView;
  hoverView = view;
  if (old) {
    Hold hold(old);
    old->onMouseExited(where, buttons);
  }
  if (view && hoverView == view && isChild(view)) {
    Hold hold(view);
    view->onMouseEntered(where, buttons);
  }
}

void CFrame::endOpenPress(CPoint& where, CButtonState buttons) {
  CView* v = mouseDownView;
  if (!v) return;
  mouseDownView = nullptr;
  Hold hold(v);
  v->onMouseUp(where, buttons & kModifierMask);
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
  endOpenPress(where, buttons);
  mousePosition = where;
  mouseButtons = buttons;
  if (modalView) {
    CView* v = modalView;
    Hold hold(v);
    mouseDownView = nullptr;
    CMouseEventResult result = v->onMouseDown(where, buttons);
    if (result == kMouseEventHandled && v == modalView) mouseDownView = v;
    return result;
  }
  CView* hit = getViewAt(where);
  if (hit != focusView) setFocusView(hit && hit->wantsFocus() ? hit : nullptr);
  CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
  // A view that opened a modal view hands the rest of the press to it.
  if (modalView && mouseDownView != modalView) mouseDownView = nullptr;
  return result;
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons) {
  mousePosition = where;
  mouseButtons = buttons;
  CMouseEventResult result;
  if (mouseDownView) {
    result = CViewContainer::onMouseUp(where, buttons);
  } else if (modalView) {
    CView* v = modalView;
    Hold hold(v);
    result = v->onMouseUp(where, buttons);
  } else {
    result = kMouseEventNotHandled;
  }
  if (!modalView && mouseInside) setHoverView(getViewAt(where), where, buttons);
  return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  mousePosition = where;
  mouseButtons = buttons;
  mouseInside = true;
  if (mouseDownView && !(buttons & kMouseButtonMask)) endOpenPress(where, buttons);
  if (mouseDownView) return CViewContainer::onMouseMoved(where, buttons);
  if (modalView) {
    CView* v = modalView;
    Hold hold(v);
    return v->onMouseMoved(where, buttons);
  }
  setHoverView(getViewAt(where), where, buttons);
  // A button held with no view owning the press (a press that wanted no moves, or one that
  // began outside the window): the move is no drag of the view under the pointer.
  if (buttons & kMouseButtonMask) return kMouseEventNotHandled;
  if (CView* v = hoverView) {
    Hold hold(v);
    return v->onMouseMoved(where, buttons);
  }
  return kMouseEventNotHandled;
}

bool CFrame::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
  if (modalView) {
    CView* v = modalView;
    Hold hold(v);
    return v->onWheel(where, distance, buttons);
  }
  return CViewContainer::onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(CKeyCode& keyCode) {
  CView* v = modalView ? modalView : focusView;
  if (!v) return kKeyNotHandled;
  Hold hold(v);
  return v->onKeyDown(keyCode);
}

int32_t CFrame::onKeyUp(CKeyCode& keyCode) {
  CView* v = modalView ? modalView : focusView;
  if (!v) return kKeyNotHandled;
  Hold hold(v);
  return v->onKeyUp(keyCode);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const {
  where = mousePosition;
  return true;
}

void CFrame::platformDrawRect(const CRect& rect) { invalidRect(rect); }

void CFrame::platformOnMouseDown(const CPoint& where, CButtonState buttons) {
  CPoint p = where;
  Hold hold(this);
  onMouseDown(p, buttons);
}

void CFrame::platformOnMouseUp(const CPoint& where, CButtonState buttons) {
  CPoint p = where;
  Hold hold(this);
  onMouseUp(p, buttons);
}

void CFrame::platformOnMouseMoved(const CPoint& where, CButtonState buttons) {
  CPoint p = where;
  Hold hold(this);
  onMouseMoved(p, buttons);
}

void CFrame::platformOnMouseExited(CButtonState buttons) {
  mouseInside = false;
  if (mouseDownView) return;  // a drag keeps its view until the button is released
  Hold hold(this);
  CPoint p = mousePosition;
  setHoverView(nullptr, p, buttons);
}

bool CFrame::platformOnWheel(const CPoint& where, float distance, CButtonState buttons) {
  mousePosition = where;
  Hold hold(this);
  return onWheel(where, distance, buttons);
}

int32_t CFrame::platformOnKeyDown(CKeyCode& key) {
  Hold hold(this);
  return onKeyDown(key);
}

int32_t CFrame::platformOnKeyUp(CKeyCode& key) {
  Hold hold(this);
  return onKeyUp(key);
}
