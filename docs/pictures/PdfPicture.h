// Turns a PNG picture, or a part of it, into a one-page PDF that the typesetter
// can place in the manual (it embeds PDF pictures only).
#pragma once

#include <string>

struct PictureArea {
  int x = 0;
  int y = 0;
  int width = 0;   // 0: to the right edge
  int height = 0;  // 0: to the bottom edge
};

// Writes the area of the PNG at pngPath as a PDF page of one point per pixel,
// and leaves in area the part of the picture written. False (with a line on
// stderr) when the PNG cannot be read, the area lies outside it, or the PDF
// cannot be written.
bool writePdfPicture(const std::string& pngPath, PictureArea& area, const std::string& pdfPath);
