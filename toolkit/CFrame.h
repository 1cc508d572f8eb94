// The top view: owns the platform window and every view in it, routes events (to the
// modal view first, then to the topmost view under the pointer, key events to the focus
// view) and redraws dirty views at idle. All operations run on the UI thread.
#pragma once

#include "CViewContainer.h"
#include "platform/IPlatformFrame.h"

class VSTGUIEditorInterface;

class CFrame : public CViewContainer, private IPlatformFrameOwner {
public:
  // Opens a frame of rect's size at rect's top left in the parent system window (an X11
  // window id as void* on Linux), on the platform the editor chooses (its
  // getPlatformFrameFactory; real X11 windows without an editor). Without a window (isOpen
  // false) the frame still holds and routes views but draws nothing.
  CFrame(const CRect& rect, void* systemWindow, VSTGUIEditorInterface* editor);
  // The same on the platform that `factory` makes (null: real X11 windows).
  CFrame(const CRect& rect, void* systemWindow, VSTGUIEditorInterface* editor,
         PlatformFrameFactory factory);
  ~CFrame() override;

  // Releases all views and the platform window, then the creator's reference to the frame:
  // the frame is gone afterwards unless someone else remembered it.
  virtual void close();
  // True while a platform window exists.
  bool isOpen() const { return platformFrame != nullptr; }

  // Periodic work: delivers pending window events, then redraws dirty views. Overrides must
  // call CFrame::idle() or processEvents(), or window events are never handled.
  virtual void idle();
  // Delivers pending window events.
  void processEvents();

  // A context on the frame's back buffer (null without a window); forget it when done, which
  // shows what was drawn.
  CDrawContext* createDrawContext();
  // Redraws the area now: background and views, through drawRect.
  void invalidRect(const CRect& rect);
  void invalid() override;

  // Puts view on top of all others and sends all mouse input to it, taking over the caller's
  // reference. False if a modal view is already set (the caller keeps its reference).
  // Null detaches the modal view without releasing it.
  bool setModalView(CView* view);
  CView* getModalView() const { return modalView; }
  // Key target; the old focus view is told looseFocus, the new one takeFocus.
  void setFocusView(CView* view);
  CView* getFocusView() const { return focusView; }

  // Event entry points (frame coordinates).
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& keyCode) override;
  int32_t onKeyUp(CKeyCode& keyCode) override;

  // Last known pointer position and button state.
  bool getCurrentMouseLocation(CPoint& where) const;
  CButtonState getCurrentMouseButtons() const { return mouseButtons; }

  VSTGUIEditorInterface* getEditor() const { return editor; }
  void* getSystemWindow() const { return systemWindow; }
  IPlatformFrame* getPlatformFrame() const { return platformFrame; }

protected:
  void childRemoving(CView* view) override;

private:
  void platformDrawRect(const CRect& rect) override;
  void platformOnMouseDown(const CPoint& where, CButtonState buttons) override;
  void platformOnMouseUp(const CPoint& where, CButtonState buttons) override;
  void platformOnMouseMoved(const CPoint& where, CButtonState buttons) override;
  void platformOnMouseExited(CButtonState buttons) override;
  bool platformOnWheel(const CPoint& where, float distance, CButtonState buttons) override;
  int32_t platformOnKeyDown(CKeyCode& key) override;
  int32_t platformOnKeyUp(CKeyCode& key) override;

  void releaseAll();
  // A press whose release never arrived (lost outside the window or to another grab) is
  // ended with a mouse up at where, so its view finishes its gesture.
  void endOpenPress(CPoint& where, CButtonState buttons);
  void setHoverView(CView* view, CPoint& where, CButtonState buttons);

  VSTGUIEditorInterface* editor;
  void* systemWindow;
  IPlatformFrame* platformFrame = nullptr;
  CView* modalView = nullptr;
  CView* focusView = nullptr;
  CView* hoverView = nullptr;
  CPoint mousePosition;
  CButtonState mouseButtons = 0;
  bool mouseInside = false;
  bool closed = false;
};
