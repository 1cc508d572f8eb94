// Reads a preset or bank image of undetermined byte order (a file's or a preference
// value's bytes): the identifier in either order, then dispatch on the kind byte.
#pragma once

#include <cstddef>

class CPresetSystemEffect;

// Which kinds a loader takes; others load nothing.
enum class ImageKinds { presets, banks, any };

enum class ImageLoadResult {
  notAnImage,  // too short, another identifier, or a kind the caller does not take
  rejected,    // a kind the caller takes, but malformed: nothing changed
  presetLoaded,
  bankLoaded,
};

// Applies the image in `bytes`. userReversed inverts the detected byte order (the endian-reversed
// load of the preset bar). fromFile: the header's payload size also limits the records read, as
// a file loader reads no more than that.
ImageLoadResult loadImageOfAnyOrder(CPresetSystemEffect& effect, const char* bytes, size_t size,
                                    ImageKinds kinds, bool userReversed, bool fromFile);

// The counts of old files and values from their total size: floats of an old preset, and
// floats per preset of an old bank (48 presets). Negative when the size cannot hold them.
int oldPresetValueCount(size_t size);
int oldBankValueCount(size_t size);
