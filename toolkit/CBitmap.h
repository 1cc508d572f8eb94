// A bitmap: a reference-counted holder of a platform image, drawn into views.
#pragma once

#include <cstdint>

#include "CBaseObject.h"
#include "CRect.h"

class CDrawContext;
class IPlatformBitmap;

// Where a bitmap came from: a numeric resource id or a name.
struct CResourceDescription {
  enum Type { kUnknownType, kIntegerType, kStringType };
  Type type = kUnknownType;
  int32_t id = 0;
  const char* name = nullptr;

  CResourceDescription() = default;
  CResourceDescription(int32_t resourceId) : type(kIntegerType), id(resourceId) {}
  CResourceDescription(const char* resourceName) : type(kStringType), name(resourceName) {}
};

class CBitmap : public CBaseObject {
public:
  // A bitmap for a resource, with no image yet: derived classes attach one.
  explicit CBitmap(const CResourceDescription& description);
  // An empty, transparent bitmap of the given size.
  CBitmap(CCoord width, CCoord height);
  // A bitmap showing `platformBitmap` (takes its own reference).
  explicit CBitmap(IPlatformBitmap* platformBitmap);
  ~CBitmap() override;

  // Draws the image part that starts at `offset` into `rect` (clipped to it) with opacity 0..1.
  virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(),
                    float opacity = 1.f);

  // Size in pixels: the image's, or the announced size of an image not made yet (0 without).
  CCoord getWidth() const;
  CCoord getHeight() const;
  // True when an image is attached (a deferred image is made now).
  bool isLoaded() const { return getPlatformBitmap() != nullptr; }

  const CResourceDescription& getResourceDescription() const { return resourceDescription; }
  // The image; a deferred image is made by the first call (UI thread).
  IPlatformBitmap* getPlatformBitmap() const;
  // Attaches an image (taking its own reference) and releases the previous one; null detaches.
  // Cancels a deferred image.
  void setPlatformBitmap(IPlatformBitmap* bitmap);

protected:
  // For bitmaps that make their image on first use: the size is known now, and
  // createPlatformBitmap is called once, by the first use that needs the pixels.
  void deferPlatformBitmap(const CPoint& announcedSize);
  // Makes the deferred image; the caller owns the returned reference (null: no image).
  virtual IPlatformBitmap* createPlatformBitmap() { return nullptr; }

private:
  CResourceDescription resourceDescription;
  mutable IPlatformBitmap* platformBitmap = nullptr;
  CPoint announced;
  mutable bool deferred = false;
};
