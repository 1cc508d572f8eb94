// Writes the assembler file that links the PNG files into the program as constant data.
#pragma once

#include <string>
#include <vector>

namespace zelart {

// One embedded file: the ids it answers for (images with identical bytes share one copy)
// and its absolute path.
struct EmbeddedFile {
  std::vector<unsigned> ids;
  std::string path;
};

// Returns the assembler text: for each file a begin and an end symbol per id,
// zel_image_<id>_begin / _end, hidden, around an .incbin of the file, in .rodata.
std::string assemblerFor(const std::vector<EmbeddedFile>& files);

}  // namespace zelart
