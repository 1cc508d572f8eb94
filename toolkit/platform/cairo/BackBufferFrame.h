// Common part of the platform frames: a cairo image of the frame's size that every
// drawing context draws into; released contexts report the area to show. Internal.
#pragma once

#include <memory>

#include "platform/IPlatformFrame.h"
#include "platform/cairo/CairoBitmap.h"
#include "platform/cairo/CairoDrawContext.h"

class BackBufferFrame : public IPlatformFrame, protected IDrawContextOwner {
public:
  BackBufferFrame(IPlatformFrameOwner* owner, const CRect& rect);
  ~BackBufferFrame() override;

  CDrawContext* createDrawContext() override;
  // The back buffer (null if it could not be made).
  CairoBitmap* getBackBuffer() const { return backBuffer; }

protected:
  // Shows the area of the back buffer (platform specific).
  virtual void present(const CRect& area) = 0;
  void drawContextReleased(const CRect& damage) override { present(damage); }

  IPlatformFrameOwner* owner;
  CRect frameRect;  // place in the parent window
  CairoBitmap* backBuffer = nullptr;
  // False once the frame is being destroyed: event loops stop touching it.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
