// The old preset and bank files, read only: after the 4-byte identifier and the
// kind byte, 24-byte names each followed by a run of 32-bit floats for slots 0, 1, 2...
#pragma once

#include <cstddef>

class CPresetSystemEffect;

// Applies an old bank body (the `bytes` bytes after the kind byte) holding `presets` presets of
// `values` floats each. Rejected whole, changing nothing, when `values` is negative, the presets
// do not fit in the body, or a value read lies outside [0, 1] or is not a number. On success
// preset 0 becomes current.
bool BufferToBankOld(CPresetSystemEffect& effect, const char* body, size_t bytes, bool swapped,
                     int presets, int values);

// Applies an old preset body (the bytes after the kind byte) with `values` floats to the current
// preset; only the floats present are read. Rejected whole, changing nothing, when the body is
// shorter than a name or a value read lies outside [0, 1] or is not a number.
bool BufferToPresetOld(CPresetSystemEffect& effect, const char* body, size_t bytes, bool swapped,
                       int values);
