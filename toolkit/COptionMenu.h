// A pop-up menu: shows its current entry; a click opens the list of entries (in columns of
// a given length, the current entry ticked) over the frame. Choosing an entry sets the
// value to its index and tells the listener; a click outside or Escape closes the list
// without change. UI thread, except setValue.
#pragma once

#include <string>
#include <vector>

#include "CParamDisplay.h"

class COptionMenuPopup;

class COptionMenu : public CParamDisplay {
public:
  COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
              CBitmap* background = nullptr, CBitmap* backgroundWhenOpen = nullptr,
              int32_t style = 0);
  ~COptionMenu() override;

  // Adds an entry at index (-1 or past the end appends); false for null.
  bool addEntry(const char* title, int32_t index = -1);
  // Replaces an entry's title; false for an index out of range.
  bool setEntry(int32_t index, const char* title);
  bool removeEntry(int32_t index);
  bool removeAllEntry();
  int32_t getNbEntries() const { return static_cast<int32_t>(entries.size()); }
  // An entry's title (null out of range) / copied into out (size bytes, terminated).
  const char* getEntry(int32_t index) const;
  bool getEntry(int32_t index, char* out, size_t outSize) const;

  // Current entry = the value rounded; setting it sets the value.
  bool setCurrent(int32_t index);
  int32_t getCurrent() const;
  // Entries per column in the open list (0 or less: one column).
  void setNbItemsPerColumn(int32_t count) { itemsPerColumn = count; }
  int32_t getNbItemsPerColumn() const { return itemsPerColumn; }

  // Opens the list as the frame's modal view; false when not attached, empty, or another
  // modal view is up.
  bool openPopup();
  // Closes the list without choosing.
  void closePopup();
  bool isPopupOpen() const { return popup != nullptr; }
  COptionMenuPopup* getPopup() const { return popup; }

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool removed(CView* parent) override;

private:
  friend class COptionMenuPopup;
  // Called by the list: the entry was chosen (-1: closed without choice).
  void popupClosed(int32_t chosen);

  std::vector<std::string> entries;
  int32_t itemsPerColumn = 0;
  CBitmap* backgroundWhenOpen;
  COptionMenuPopup* popup = nullptr;
};
