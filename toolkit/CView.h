// The base of everything shown in a frame: a rectangle that draws itself and takes
// mouse, wheel and key events. View rectangles are in frame coordinates.
#pragma once

#include <atomic>
#include <cstdint>

#include "CBaseObject.h"
#include "CButtonState.h"
#include "CKeyCode.h"
#include "CRect.h"

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CBaseObject {
public:
  explicit CView(const CRect& size);
  ~CView() override;

  // Draws the view (the default draws the background bitmap into the view rectangle).
  virtual void draw(CDrawContext* context);
  // Draws the part of the view inside updateRect (the default draws the whole view).
  virtual void drawRect(CDrawContext* context, const CRect& updateRect);
  // Used by containers: draws through drawRect and marks the view clean when the update
  // rectangle covered it wholly.
  void paint(CDrawContext* context, const CRect& updateRect);

  // Mouse events, in frame coordinates; buttons carry CButton bits.
  virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
  // Wheel notch distance (+1 up / -1 down, fractions from fine wheels); true when handled.
  virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
  // Keys: kKeyHandled (1) or kKeyNotHandled (-1).
  virtual int32_t onKeyDown(CKeyCode& keyCode);
  virtual int32_t onKeyUp(CKeyCode& keyCode);

  // Dirty views are redrawn by the frame's next invalidateDirtyViews (any thread may mark).
  virtual void setDirty(bool state = true);
  virtual bool isDirty() const;
  // Redraws the view at once (UI thread).
  virtual void invalid();

  virtual void setMouseEnabled(bool enabled) { mouseEnabled = enabled; }
  bool getMouseEnabled() const { return mouseEnabled; }
  void setWantsFocus(bool state) { focusWanted = state; }
  bool wantsFocus() const { return focusWanted; }
  // Called when the view becomes / stops being the frame's focus view (key target).
  virtual void takeFocus() {}
  virtual void looseFocus() {}
  virtual void setVisible(bool state);
  bool isVisible() const { return visible; }

  const CRect& getViewSize() const { return size; }
  CRect& getViewSize(CRect& rect) const { return rect = size; }
  virtual void setViewSize(const CRect& rect, bool invalidate = true);
  CCoord getWidth() const { return size.getWidth(); }
  CCoord getHeight() const { return size.getHeight(); }
  // True when where is a point of the view that takes the mouse.
  virtual bool hitTest(const CPoint& where, const CButtonState& buttons = 0) const;

  // Background images (the view takes its own reference; null removes).
  virtual void setBackground(CBitmap* background);
  CBitmap* getBackground() const { return background; }
  virtual void setDisabledBackground(CBitmap* background);
  CBitmap* getDisabledBackground() const { return disabledBackground; }

  // The frame and the container that hold the view (null while not attached).
  CFrame* getFrame() const { return parentFrame; }
  CView* getParentView() const { return parentView; }
  bool isAttached() const { return parentView != nullptr; }
  // Called by a container when the view is added to / removed from it.
  virtual bool attached(CView* parent);
  virtual bool removed(CView* parent);

protected:
  // Called around drawing by paint(); controls take a snapshot of their value here.
  virtual void beginPaint() {}
  virtual void endPaint(bool coveredWholly);

  CRect size;
  CFrame* parentFrame = nullptr;
  CView* parentView = nullptr;
  CBitmap* background = nullptr;
  CBitmap* disabledBackground = nullptr;

private:
  std::atomic<bool> dirty{false};
  bool mouseEnabled = true;
  bool focusWanted = false;
  bool visible = true;
};
