// Preset and bank files: loading (current or old format, either byte order) and
// saving (current format, native order) at a path given as folder and name.
#pragma once

#include "ImageLoader.h"

class CPresetSystemEffect;

// Loads the file dir + name if it holds an image of `kinds`. reversed: the user asked for an
// endian-reversed load, which inverts the detected byte order. A loaded bank file ends with
// preset 0 selected. A file that cannot be read or is rejected changes nothing.
ImageLoadResult loadPresetOrBankFile(CPresetSystemEffect& effect, const char* dir, const char* name,
                                     ImageKinds kinds, bool reversed);

// Writes the current preset as a preset file, or all presets as a bank file, at dir + name.
// The old file is replaced only once the new one is complete; false when the save failed.
bool savePresetFile(CPresetSystemEffect& effect, const char* dir, const char* name);
bool saveBankFile(CPresetSystemEffect& effect, const char* dir, const char* name);
