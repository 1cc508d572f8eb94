// MyFrame is the editor's own frame class (the toolkit frame made for this panel):
// it draws through a clip of the update area and redraws dirty views at idle.
#pragma once

#include "CFrame.h"

class MyFrame : public CFrame {
public:
  MyFrame(const CRect& frameSize, void* parentWindow, VSTGUIEditorInterface* owner);

  // Draws background and views inside updateRect only.
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  // Handles window events, then redraws every view marked dirty.
  void idle() override;
};
