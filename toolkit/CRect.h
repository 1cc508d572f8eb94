// An axis-aligned rectangle (left, top, right, bottom); right and bottom are exclusive.
#pragma once

#include <algorithm>

#include "CPoint.h"

struct CRect {
  CCoord left = 0;
  CCoord top = 0;
  CCoord right = 0;
  CCoord bottom = 0;

  constexpr CRect() = default;
  constexpr CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
  // Rectangle of the given size with its top left corner at origin.
  constexpr CRect(const CPoint& origin, const CPoint& size)
      : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y) {}

  CCoord getWidth() const { return right - left; }
  CCoord getHeight() const { return bottom - top; }
  CCoord width() const { return right - left; }
  CCoord height() const { return bottom - top; }
  CPoint getTopLeft() const { return {left, top}; }
  CPoint getSize() const { return {right - left, bottom - top}; }
  CPoint getCenter() const { return {(left + right) / 2, (top + bottom) / 2}; }

  // Keeps the top left corner and sets the width / height.
  CRect& setWidth(CCoord w) {
    right = left + w;
    return *this;
  }
  CRect& setHeight(CCoord h) {
    bottom = top + h;
    return *this;
  }
  // Moves the rectangle by (dx, dy).
  CRect& offset(CCoord dx, CCoord dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
  }
  // Moves the rectangle so that its top left corner is at (x, y).
  CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }
  // Shrinks the rectangle by dx on the left and right and dy on the top and bottom.
  CRect& inset(CCoord dx, CCoord dy) {
    left += dx;
    right -= dx;
    top += dy;
    bottom -= dy;
    return *this;
  }
  // Swaps coordinates so that left <= right and top <= bottom.
  CRect& normalize() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return *this;
  }

  // True when the rectangle covers no area.
  bool isEmpty() const { return !(right > left && bottom > top); }
  // True when p lies inside (left and top inclusive, right and bottom exclusive).
  bool pointInside(const CPoint& p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  // True when the two rectangles share some area.
  bool rectOverlap(const CRect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  // True when o lies wholly inside this rectangle.
  bool rectInside(const CRect& o) const {
    return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
  }
  // Cuts this rectangle to its intersection with o (empty when they do not overlap).
  CRect& bound(const CRect& o) {
    left = std::max(left, o.left);
    top = std::max(top, o.top);
    right = std::min(right, o.right);
    bottom = std::min(bottom, o.bottom);
    if (right < left) right = left;
    if (bottom < top) bottom = top;
    return *this;
  }
  // Grows this rectangle to hold o as well (an empty rectangle counts as nothing).
  CRect& unite(const CRect& o) {
    if (o.isEmpty()) return *this;
    if (isEmpty()) return *this = o;
    left = std::min(left, o.left);
    top = std::min(top, o.top);
    right = std::max(right, o.right);
    bottom = std::max(bottom, o.bottom);
    return *this;
  }

  bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const CRect& o) const { return !(*this == o); }
};
