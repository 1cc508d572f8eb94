// Preset images: the current preset as a 41-byte header and typed records.
// Used in preset files and in the default preset and A/B memory preferences.
#pragma once

#include <cstddef>

#include "PresetImage.h"

class CPresetSystemEffect;

// Builds a preset image of the current preset (new[]; the caller releases it), values as
// they are. Returns its length, or 0 when the effect has no table.
int PresetToBuffer(CPresetSystemEffect& effect, char** out);

// Applies a preset image's records (bytes long; header already in native order; swapped:
// the records are byte-reversed) to the current preset: slots the image does not carry take
// the default record's values. The image is rejected whole, changing nothing, when its record
// count is negative, a record runs past the end, or a value for slots 0 to 15 lies outside
// [0, 1]. On success the current preset is renamed and pushed into the effect.
bool BufferToPreset(CPresetSystemEffect& effect, const char* records, size_t bytes,
                    const newpresetheader& header, bool swapped);
