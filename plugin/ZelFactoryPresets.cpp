// The factory contents of the preset table: eighteen named presets, then "Init".
#include <cstring>

#include "ZelFETcomp.h"

namespace {

struct FactoryPreset {
  const char* name;
  // Slots 0 Power, 1 Attack, 2 Release, 4 ScHpfSt, 5 ScHpf, 6 Ratio, 8 Threshold,
  // 9 Channel, 10 Makeup, 11 Link, 12 BlndSt, 13 Blend.
  float power, attack, release, scHpfSwitch, scHpf, ratio, threshold, channel, makeup, link,
      blendSwitch, blend;
};

constexpr FactoryPreset kFactory[] = {
    {"Default", 1, 0.5f, 0.5f, 0, 0.5f, 0.5f, 0.625f, 0.5f, 0.375f, 1, 0, 0.75f},
    {"Soft Comp", 1, 0.5f, 0.5f, 0, 0.5f, 0.25f, 0.6875f, 0.5f, 0.3125f, 1, 0, 1},
    {"Density", 1, 0.375f, 0.25f, 1, 0.5f, 0.5f, 0.625f, 0.5f, 0.34375f, 1, 0, 1},
    {"Smooth Vocal", 1, 0.75f, 0.625f, 0, 0.5f, 0.0625f, 0.125f, 0.5f, 0.375f, 1, 0, 1},
    {"Vocal Fast", 1, 0.375f, 0.625f, 0, 0.5f, 0.5625f, 0.65625f, 0.5f, 0.375f, 1, 0, 1},
    {"Vocal Slow", 1, 0.75f, 0.75f, 0, 0.5f, 0.5f, 0.4375f, 0.5f, 0.375f, 1, 0, 1},
    {"Snare Power", 1, 0.375f, 0.375f, 0, 0.5f, 0.75f, 0.5f, 0.5f, 0.375f, 1, 0, 1},
    {"Drum Group", 1, 0.75f, 0.625f, 1, 0.625f, 1, 0.375f, 0.5f, 0.375f, 1, 0, 1},
    {"Power of Blend", 1, 0.25f, 0.25f, 1, 1, 1, 0.375f, 0.5f, 0.375f, 1, 1, 0.75f},
    {"N.Y. Drums", 1, 0.25f, 0.375f, 0, 0.5f, 0.75f, 0.5f, 0.5f, 0.375f, 1, 1, 0.5f},
    {"Fast Limit", 1, 0.125f, 0.5f, 0, 0.5f, 1, 0.5625f, 0.5f, 0.4375f, 1, 0, 1},
    {"Slow Limit", 1, 0.25f, 0.75f, 0, 0.5f, 1, 0.625f, 0.5f, 0.40625f, 1, 0, 1},
    {"Clean Strat", 1, 1, 0.75f, 0, 0.5f, 0.5f, 0.5f, 0.5f, 0.375f, 1, 0, 1},
    {"Strong Bass", 1, 0.75f, 0.375f, 0, 0.5f, 0.75f, 0.375f, 0.5f, 0.4375f, 1, 0, 1},
    {"Master Track", 1, 0.25f, 0.5f, 1, 1, 0.75f, 0.625f, 0.5f, 0.375f, 1, 1, 0.75f},
    {"Squeezer", 1, 0.25f, 0.125f, 1, 1, 1, 0.375f, 0.5f, 0.4375f, 0, 0, 1},
    {"Destructor", 1, 0, 0, 0, 0.5f, 1, 0.5f, 0.5f, 0.5f, 0, 0, 1},
    {"Magnetizer", 1, 0.5f, 0.5f, 0, 0.5f, 0, 0.75f, 0.5f, 0.25f, 1, 0, 1},
};

constexpr FactoryPreset kInit{"Init", 1, 0.5f, 0.5f, 0, 0.5f, 0.5f, 0.625f, 0.5f, 0.375f, 1, 0, 1};

void fill(PresetRecord& record, const FactoryPreset& preset) {
  std::memset(record.name, 0, sizeof(record.name));
  std::strcpy(record.name, preset.name);
  const float slots[kNumParams] = {preset.power,       preset.attack,  preset.release, 0.0f,
                                   preset.scHpfSwitch, preset.scHpf,   preset.ratio,   0.0f,
                                   preset.threshold,   preset.channel, preset.makeup,  preset.link,
                                   preset.blendSwitch, preset.blend,   0.5f,           0.5f};
  std::memcpy(record.params, slots, sizeof(slots));
}

}  // namespace

void ZelFETcomp::initPresets() {
  if (!programs) return;
  constexpr int kNamed = static_cast<int>(sizeof(kFactory) / sizeof(kFactory[0]));
  static_assert(kNamed == 18, "eighteen named factory presets");
  for (int i = 0; i < kNumPresets; ++i) fill(programs[i], i < kNamed ? kFactory[i] : kInit);
}
