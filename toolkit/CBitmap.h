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

  // Size in pixels (0 without an image).
  CCoord getWidth() const;
  CCoord getHeight() const;
  // True when an image is attached.
  bool isLoaded() const { return platformBitmap != nullptr; }

  const CResourceDescription& getResourceDescription() const { return resourceDescription; }
  IPlatformBitmap* getPlatformBitmap() const { return platformBitmap; }
  // Attaches an image (taking its own reference) and releases the previous one; null detaches.
  void setPlatformBitmap(IPlatformBitmap* bitmap);

private:
  CResourceDescription resourceDescription;
  IPlatformBitmap* platformBitmap = nullptr;
};
