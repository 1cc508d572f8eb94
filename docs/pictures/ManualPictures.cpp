// Build-time program for the user manual: draws the panel offscreen and writes
// it as a PNG and as PDF pictures (whole panel, preset bar) with their sizes
// for the typesetter, and the factory preset table, into one folder.
//
//   zel-manual-pictures OUTPUT_DIR
#include <cstdio>
#include <string>

#include "FactoryPresetTable.h"
#include "PanelSnapshot.h"
#include "PdfPicture.h"

namespace {

// The preset bar's buttons: the left part of the strip along the panel's lower
// edge, with the labels over the buttons (the manual button sits alone at the
// far right).
constexpr PictureArea kPresetBar{10, 256, 430, 0};

// Sizes in pixels as troff number registers NAME-w and NAME-h.
void writeSize(std::FILE* out, const char* name, const PictureArea& area) {
  std::fprintf(out, ".nr %s-w %d\n.nr %s-h %d\n", name, area.width, name, area.height);
}

bool writePictures(const std::string& dir) {
  const std::string png = dir + "panel.png";
  PictureArea panel;
  PictureArea bar = kPresetBar;
  if (!writePanelSnapshot(png) || !writePdfPicture(png, panel, dir + "panel.pdf") ||
      !writePdfPicture(png, bar, dir + "preset-bar.pdf")) {
    return false;
  }
  const std::string sizes = dir + "pictures.ms";
  std::FILE* out = std::fopen(sizes.c_str(), "w");
  if (out == nullptr) {
    std::fprintf(stderr, "cannot write %s\n", sizes.c_str());
    return false;
  }
  writeSize(out, "panel", panel);
  writeSize(out, "bar", bar);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zel-manual-pictures OUTPUT_DIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const bool ok = writePictures(dir) && writeFactoryPresetTable(dir + "factory-presets.ms");
  return ok ? 0 : 1;
}
