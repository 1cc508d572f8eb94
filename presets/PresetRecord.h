// One preset as the program store keeps it: a name and sixteen normalised values.
#pragma once

constexpr int kNumPresets = 48;
constexpr int kNumPresetParams = 16;
constexpr int kPresetNameSize = 24;

struct PresetRecord {
  char name[kPresetNameSize];
  float params[kNumPresetParams];
};

static_assert(sizeof(PresetRecord) == 88, "preset records are stored byte for byte");
