// Encodes images as 8-bit RGBA PNG files (colour type 6), whatever their alpha content.
#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

namespace zelart {

// Returns the PNG file bytes of `image`: straight alpha, no ancillary chunks, so the
// same pixels always give the same bytes. Empty on an encoder failure.
std::vector<unsigned char> encodePng(const Image& image);

// Writes bytes to a file; returns false when the file cannot be written completely.
bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace zelart
