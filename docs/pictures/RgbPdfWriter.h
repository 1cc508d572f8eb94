// A minimal one-page PDF holding one RGB picture, written by hand so that the
// typesetter's simple PDF reader can embed it (it does not read every PDF a
// drawing library writes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds width x height pixels, three bytes each, rows top to bottom. The page
// is one point per pixel. False when the file cannot be written.
bool writeRgbPdf(const std::vector<uint8_t>& rgb, int width, int height, const std::string& path);
