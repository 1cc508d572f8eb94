#include "CView.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

CView::CView(const CRect& rect) : size(rect) {}

CView::~CView() {
  setBackground(nullptr);
  setDisabledBackground(nullptr);
}

void CView::draw(CDrawContext* context) {
  if (background) background->draw(context, size);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) { draw(context); }

void CView::paint(CDrawContext* context, const CRect& updateRect) {
  beginPaint();
  drawRect(context, updateRect);
  endPaint(updateRect.rectInside(size));
}

void CView::endPaint(bool coveredWholly) {
  if (coveredWholly) dirty = false;
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotHandled; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) {
  return kMouseEventNotHandled;
}
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) {
  return kMouseEventNotHandled;
}
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) {
  return kMouseEventNotHandled;
}
bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }
int32_t CView::onKeyDown(CKeyCode&) { return kKeyNotHandled; }
int32_t CView::onKeyUp(CKeyCode&) { return kKeyNotHandled; }

void CView::setDirty(bool state) { dirty = state; }

bool CView::isDirty() const { return dirty; }

void CView::invalid() {
  if (parentFrame) parentFrame->invalidRect(size);
}

void CView::setVisible(bool state) {
  if (visible == state) return;
  visible = state;
  if (parentFrame) parentFrame->invalidRect(size);
}

void CView::setViewSize(const CRect& rect, bool invalidate) {
  CRect old = size;
  size = rect;
  if (invalidate && parentFrame) {
    parentFrame->invalidRect(old);
    parentFrame->invalidRect(size);
  }
}

bool CView::hitTest(const CPoint& where, const CButtonState&) const {
  return size.pointInside(where);
}

void CView::setBackground(CBitmap* bitmap) {
  if (bitmap == background) return;
  if (bitmap) bitmap->remember();
  if (background) background->forget();
  background = bitmap;
  setDirty(true);
}

void CView::setDisabledBackground(CBitmap* bitmap) {
  if (bitmap == disabledBackground) return;
  if (bitmap) bitmap->remember();
  if (disabledBackground) disabledBackground->forget();
  disabledBackground = bitmap;
  setDirty(true);
}

bool CView::attached(CView* parent) {
  parentView = parent;
  parentFrame = parent ? parent->getFrame() : nullptr;
  return true;
}

bool CView::removed(CView* /*parent*/) {
  parentView = nullptr;
  parentFrame = nullptr;
  return true;
}
