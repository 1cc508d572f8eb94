// A view that holds child views, draws them in insertion order over its background and
// hands mouse events to the topmost child under the pointer. Children use the same
// (frame) coordinates as the container.
#pragma once

#include <vector>

#include "CColor.h"
#include "CView.h"

class CViewContainer : public CView {
public:
  explicit CViewContainer(const CRect& size);
  ~CViewContainer() override;

  // Adds view on top of the others, taking over the caller's reference. False (and the
  // caller keeps its reference) for null or a view that already has a parent.
  virtual bool addView(CView* view);
  // Detaches view; withForget releases the container's reference to it.
  virtual bool removeView(CView* view, bool withForget = true);
  // Detaches every child.
  virtual bool removeAll(bool withForget = true);
  bool isChild(const CView* view) const;
  int32_t getNbViews() const { return static_cast<int32_t>(children.size()); }
  CView* getView(int32_t index) const;
  // Topmost visible, mouse-enabled child that the point hits (null if none).
  CView* getViewAt(const CPoint& where) const;

  // Colour filled behind everything when there is no background bitmap.
  void setBackgroundColor(const CColor& color) { backgroundColor = color; }
  CColor getBackgroundColor() const { return backgroundColor; }

  void draw(CDrawContext* context) override;
  // Draws background and every child that overlaps updateRect, clipped to it.
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  // Draws the background part inside rect.
  virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
  // Redraws every dirty child now (everything when the container itself is marked dirty).
  virtual void invalidateDirtyViews();

  // Children stay dirty until redrawn, so the container reports them too.
  bool isDirty() const override;
  void setDirty(bool state = true) override;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  bool attached(CView* parent) override;
  bool removed(CView* parent) override;

protected:
  // Holds references to the children for the time of a dispatch, so a handler may remove
  // or destroy views safely.
  class ChildSnapshot {
  public:
    explicit ChildSnapshot(const std::vector<CView*>& views);
    ~ChildSnapshot();
    ChildSnapshot(const ChildSnapshot&) = delete;
    ChildSnapshot& operator=(const ChildSnapshot&) = delete;
    const std::vector<CView*>& views() const { return list; }

  private:
    std::vector<CView*> list;
  };

  // Offers an event to the children under where, topmost first, until handler(view) is true.
  template <typename Handler>
  bool offerTopDown(const CPoint& where, const CButtonState& buttons, Handler handler);

  // Called before a child leaves the container.
  virtual void childRemoving(CView* view);

  std::vector<CView*> children;
  CView* mouseDownView = nullptr;
  CColor backgroundColor = kBlackCColor;
  bool containerDirty = false;
};
