// Pixel sizes of the embedded images, read from their PNG headers without decoding them.
#pragma once

#include "CPoint.h"

// Width and height of the image stored under id: 400 x 350 (the empty picture) for an id
// that is not stored, 0 x 0 for bytes that do not start like a PNG. Any thread.
CPoint getZelImageSize(unsigned int id);
