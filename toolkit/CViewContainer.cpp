#include "CViewContainer.h"

#include <algorithm>

#include "CBitmap.h"
#include "CDrawContext.h"

CViewContainer::ChildSnapshot::ChildSnapshot(const std::vector<CView*>& views) : list(views) {
  for (CView* v : list) v->remember();
}

CViewContainer::ChildSnapshot::~ChildSnapshot() {
  for (CView* v : list) v->forget();
}

CViewContainer::CViewContainer(const CRect& rect) : CView(rect) {}

CViewContainer::~CViewContainer() { CViewContainer::removeAll(true); }

bool CViewContainer::addView(CView* view) {
  if (!view || view->isAttached() || view == this) return false;
  children.push_back(view);
  view->attached(this);
  view->setDirty(true);
  return true;
}

void CViewContainer::childRemoving(CView* view) {
  if (mouseDownView == view) mouseDownView = nullptr;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
  auto it = std::find(children.begin(), children.end(), view);
  if (it == children.end()) return false;
  childRemoving(view);
  children.erase(it);
  view->removed(this);
  if (withForget) view->forget();
  containerDirty = true;
  return true;
}

bool CViewContainer::removeAll(bool withForget) {
  while (!children.empty()) removeView(children.back(), withForget);
  return true;
}

bool CViewContainer::isChild(const CView* view) const {
  return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(int32_t index) const {
  if (index < 0 || index >= getNbViews()) return nullptr;
  return children[static_cast<size_t>(index)];
}

CView* CViewContainer::getViewAt(const CPoint& where) const {
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* v = *it;
    if (v->isVisible() && v->getMouseEnabled() && v->hitTest(where)) return v;
  }
  return nullptr;
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size); }

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
  if (!context) return;
  CRect oldClip;
  context->getClipRect(oldClip);
  CRect clip = updateRect;
  clip.bound(oldClip).bound(size);
  if (clip.isEmpty()) return;
  context->setClipRect(clip);
  drawBackgroundRect(context, clip);
  // Index loop: a child's draw must not change the list, but stay safe if it does.
  for (size_t i = 0; i < children.size(); ++i) {
    CView* v = children[i];
    if (!v->isVisible() || !v->getViewSize().rectOverlap(clip)) continue;
    CRect childClip = clip;
    childClip.bound(v->getViewSize());
    context->setClipRect(childClip);
    v->paint(context, childClip);
  }
  context->setClipRect(oldClip);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect) {
  if (background) {
    // The background is laid 1:1 over the container.
    background->draw(context, rect, CPoint(rect.left - size.left, rect.top - size.top));
  } else {
    context->setFillColor(backgroundColor);
    context->fillRect(rect);
  }
}

void CViewContainer::invalidateDirtyViews() {
  if (containerDirty) {
    invalid();
    containerDirty = false;
    return;
  }
  ChildSnapshot snapshot(children);
  for (CView* v : snapshot.views()) {
    if (!isChild(v) || !v->isDirty()) continue;
    if (auto* container = dynamic_cast<CViewContainer*>(v))
      container->invalidateDirtyViews();
    else
      v->invalid();
  }
}

bool CViewContainer::isDirty() const {
  if (containerDirty) return true;
  for (CView* v : children)
    if (v->isDirty()) return true;
  return false;
}

void CViewContainer::setDirty(bool state) {
  containerDirty = state;
  if (!state)
    for (CView* v : children) v->setDirty(false);
}

template <typename Handler>
bool CViewContainer::offerTopDown(const CPoint& where, const CButtonState& buttons,
                                  Handler handler) {
  ChildSnapshot snapshot(children);
  const auto& views = snapshot.views();
  for (auto it = views.rbegin(); it != views.rend(); ++it) {
    CView* v = *it;
    if (!isChild(v) || !v->isVisible() || !v->getMouseEnabled() || !v->hitTest(where, buttons))
      continue;
    if (handler(v)) return true;
  }
  return false;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
  mouseDownView = nullptr;
  CMouseEventResult result = kMouseEventNotHandled;
  offerTopDown(where, buttons, [&](CView* v) {
    result = v->onMouseDown(where, buttons);
    if (result == kMouseEventNotHandled) return false;
    if (result == kMouseEventHandled && isChild(v)) mouseDownView = v;
    return true;
  });
  return result;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
  CView* v = mouseDownView;
  mouseDownView = nullptr;
  if (!v) return kMouseEventNotHandled;
  v->remember();
  CMouseEventResult result = v->onMouseUp(where, buttons);
  v->forget();
  return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  CView* v = mouseDownView;
  if (!v) return kMouseEventNotHandled;
  v->remember();
  CMouseEventResult result = v->onMouseMoved(where, buttons);
  v->forget();
  return result;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance,
                             const CButtonState& buttons) {
  return offerTopDown(where, buttons,
                      [&](CView* v) { return v->onWheel(where, distance, buttons); });
}

bool CViewContainer::attached(CView* parent) {
  CView::attached(parent);
  for (CView* v : children) v->attached(this);
  return true;
}

bool CViewContainer::removed(CView* parent) {
  for (CView* v : children) v->removed(this);
  CView::removed(parent);
  return true;
}
