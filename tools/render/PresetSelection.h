// Picks one of the plug-in's 48 internal presets by number or name.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "PluginHost.h"
#include "RenderStatus.h"

namespace zelrender {

inline constexpr int kPresetCount = 48;
inline constexpr size_t kPresetChunkSize = 32;

// An old-format state chunk that holds no presets and selects preset `number`
// (native byte order): marker 0x01000000, unique id 'KvRd', count 0, number, 16 zero bytes.
std::array<unsigned char, kPresetChunkSize> presetSelectionChunk(int32_t number);

// Finds a preset: a number 0..47, or a name (exact match first, then case-insensitive).
Status resolvePreset(const PluginHost& host, const std::string& text, int& number,
                     std::string& name);

// Makes preset `number` current by sending the selection chunk; fails when it is refused.
Status selectPreset(const PluginHost& host, int number);

}  // namespace zelrender
