// Lookup of the embedded PNG images by numeric id.
#pragma once

// Returns the first byte of the PNG stored under `id` and writes its length to `size`;
// for an id that is not stored, returns null and writes 0. Any thread.
const unsigned char* getZelBinaryData(unsigned int id, unsigned int& size);
