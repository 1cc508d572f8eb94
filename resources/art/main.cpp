// zel-artwork: draws every panel and control image of Zel Trevalon and writes them as PNG
// files; optionally the assembler file that embeds them and a contact sheet for review.
//
//   zel-artwork [--asm FILE] [--sheet FILE] OUTDIR
#include "AsmWriter.h"
#include "ContactSheet.h"
#include "Images.h"
#include "PngWriter.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

int usage() {
  std::fprintf(stderr, "usage: zel-artwork [--asm FILE] [--sheet FILE] OUTDIR\n");
  return 2;
}

bool writeText(const std::string& path, const std::string& text) {
  return zelart::writeFile(path, std::vector<unsigned char>(text.begin(), text.end()));
}

}  // namespace

int run(int argc, char** argv);

int main(int argc, char** argv) {
  const int status = run(argc, argv);
  // Release cairo's caches and fontconfig's configuration, so leak checkers see a clean exit.
  cairo_debug_reset_static_data();
  FcFini();
  return status;
}

int run(int argc, char** argv) {
  std::string asmPath, sheetPath, outDir;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if ((std::strcmp(arg, "--asm") == 0 || std::strcmp(arg, "--sheet") == 0) && i + 1 < argc)
      (arg[2] == 'a' ? asmPath : sheetPath) = argv[++i];
    else if (arg[0] != '-' && outDir.empty())
      outDir = arg;
    else
      return usage();
  }
  if (outDir.empty()) return usage();

  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  const std::filesystem::path dir = std::filesystem::absolute(outDir, error);
  if (error) {
    std::fprintf(stderr, "zel-artwork: cannot use folder %s\n", outDir.c_str());
    return 1;
  }

  const std::vector<zelart::RenderedImage> images = zelart::renderAll();
  std::vector<zelart::EmbeddedFile> files;
  std::vector<std::vector<unsigned char>> contents;
  for (const zelart::RenderedImage& r : images) {
    const std::vector<unsigned char> png = zelart::encodePng(r.image);
    const std::string path =
        (dir / (std::to_string(r.format->id) + "-" + r.format->name + ".png")).string();
    if (png.empty() || !zelart::writeFile(path, png)) {
      std::fprintf(stderr, "zel-artwork: cannot write %s\n", path.c_str());
      return 1;
    }
    // Identical pictures are embedded once and answer for all their ids.
    std::size_t same = 0;
    while (same < contents.size() && contents[same] != png) ++same;
    if (same < contents.size()) {
      files[same].ids.push_back(r.format->id);
    } else {
      contents.push_back(png);
      files.push_back({{r.format->id}, path});
    }
  }

  if (!asmPath.empty() && !writeText(asmPath, zelart::assemblerFor(files))) {
    std::fprintf(stderr, "zel-artwork: cannot write %s\n", asmPath.c_str());
    return 1;
  }
  if (!sheetPath.empty()) {
    const std::vector<unsigned char> sheet = zelart::encodePng(zelart::paintContactSheet(images));
    if (sheet.empty() || !zelart::writeFile(sheetPath, sheet)) {
      std::fprintf(stderr, "zel-artwork: cannot write %s\n", sheetPath.c_str());
      return 1;
    }
  }
  return 0;
}
