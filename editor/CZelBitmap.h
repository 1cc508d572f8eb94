// A toolkit bitmap made from one of the embedded images by its id. Its size is known at
// once; the image is decoded at its first use (a draw), once per process, and shared with
// every other bitmap of the same id.
#pragma once

#include "CBitmap.h"

class CZelBitmap : public CBitmap {
public:
  // The image stored under id; an unknown id gives an empty 400 x 350 bitmap.
  explicit CZelBitmap(int id);
  ~CZelBitmap() override;

protected:
  IPlatformBitmap* createPlatformBitmap() override;

private:
  bool sharesImage = false;
};
