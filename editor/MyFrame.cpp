#include "MyFrame.h"

#include "CDrawContext.h"

MyFrame::MyFrame(const CRect& frameSize, void* parentWindow, VSTGUIEditorInterface* owner)
    : CFrame(frameSize, parentWindow, owner) {}

void MyFrame::drawRect(CDrawContext* context, const CRect& updateRect) {
  if (!context || updateRect.getWidth() <= 0 || updateRect.getHeight() <= 0) return;
  CRect saved;
  context->getClipRect(saved);
  CRect clip = updateRect;
  clip.bound(saved);
  context->setClipRect(clip);
  CViewContainer::drawRect(context, updateRect);
  context->setClipRect(saved);
}

void MyFrame::idle() {
  processEvents();
  invalidateDirtyViews();
}
