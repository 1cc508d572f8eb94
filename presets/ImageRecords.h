// The typed records shared by preset and bank images: writing one preset's
// records, and walking a record stream within the bytes present.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PresetImage.h"

class CPresetSystemEffect;

constexpr int kNameRecordSize = 168;
constexpr int kParamRecordSize = 32;
constexpr int kRecordHeadSize = 12;
constexpr int32_t kImageVersion = 0x01000000;
constexpr int32_t kNameRecordType = 0;
constexpr int32_t kParamRecordType = 1;

// Slots 0 to 15 that images carry (isDummy false).
int storedSlots(CPresetSystemEffect& effect);

// Payload bytes of one preset: its name record and one parameter record per stored slot.
int presetPayloadSize(int slots);

// Writes a native header at p and moves p past it.
void writeImageHeader(char*& p, int32_t uniqueID, char kind, int32_t records, int32_t selected,
                      int32_t payload);

// Writes preset's name record and parameter records (numbered `recordPreset`) at p and moves
// p past them. clampWithDiagnostics: values outside [0, 1] are written clamped, each with a
// line on stderr; otherwise values are written as they are. Caller holds the table lock.
void writePresetRecords(char*& p, CPresetSystemEffect& effect, long preset, int32_t recordPreset,
                        bool clampWithDiagnostics);

// Clamps a bank value to [0, 1] with the diagnostic line on stderr ("save" or "load");
// not-a-number passes unchanged.
float clampBankValue(float value, int slot, long preset, const char* what, const char* name24);

// One record of an image, its head already in native order.
struct ImageRecord {
  int32_t type;
  int32_t bodyLength;
  int32_t preset;
  const char* body;
};

// Collects `count` records from `bytes` bytes. False when a head or body runs past the end,
// a body length is negative, or a name or parameter body is too short for its fields.
bool walkImageRecords(const char* records, size_t bytes, int32_t count, bool swapped,
                      std::vector<ImageRecord>& out);

// A parameter record's slot and value (byte-reversed when swapped).
int32_t recordSlot(const ImageRecord& record, bool swapped);
float recordValue(const ImageRecord& record, bool swapped);
