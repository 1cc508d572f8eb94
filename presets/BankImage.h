// Bank images: the whole preset table as a 41-byte header and typed records.
// Used in the state chunk, in bank files and in the default bank preference.
#pragma once

#include <cstddef>

#include "ImageRecords.h"
#include "PresetImage.h"

class CPresetSystemEffect;

// Builds a bank image of every preset (new[]; the caller releases it).
// Returns its length, or 0 when the effect has no table.
int BankToBuffer(CPresetSystemEffect& effect, char** out);

// Reverses the byte order of the header's nine 32-bit fields (not the identifier).
void byteSwapHeader(newpresetheader* header);

// Applies a bank image's records (bytes long) whose header is already in
// native order; swapped says the records are byte-reversed. An image whose
// records run past the end is rejected whole and changes nothing. On success
// the header's selected preset (0 when out of range) becomes current.
bool BufferToBank(CPresetSystemEffect& effect, const char* records, size_t bytes,
                  const newpresetheader& header, bool swapped);
