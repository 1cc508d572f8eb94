// A toolkit bitmap made from one of the embedded images by its id.
#pragma once

#include "CBitmap.h"

class CZelBitmap : public CBitmap {
public:
  // Decodes the image stored under id; an unknown id gives an empty 400 x 350 bitmap.
  explicit CZelBitmap(int id);
};
