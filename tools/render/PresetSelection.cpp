#include "PresetSelection.h"

#include <charconv>
#include <cstring>

#include "ZelValueReading.h"

namespace zelrender {
namespace {

constexpr int32_t kOldChunkMarker = 0x01000000;
constexpr int32_t kUniqueId = CCONST('K', 'v', 'R', 'd');

void putWord(unsigned char* at, int32_t value) { std::memcpy(at, &value, sizeof value); }

}  // namespace

std::array<unsigned char, kPresetChunkSize> presetSelectionChunk(int32_t number) {
  std::array<unsigned char, kPresetChunkSize> chunk{};
  putWord(chunk.data() + 0, kOldChunkMarker);
  putWord(chunk.data() + 4, kUniqueId);
  putWord(chunk.data() + 8, 0);
  putWord(chunk.data() + 12, number);
  return chunk;
}

Status resolvePreset(const PluginHost& host, const std::string& text, int& number,
                     std::string& name) {
  long parsed = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (!text.empty() && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, parsed);
  if (!text.empty() && end == last && ec != std::errc::invalid_argument) {
    if (ec != std::errc() || parsed < 0 || parsed >= kPresetCount) {
      return Status::fail(ExitCode::value, "preset number " + text + " is outside 0.." +
                                               std::to_string(kPresetCount - 1));
    }
    number = static_cast<int>(parsed);
    if (!host.programNameIndexed(number, name)) name.clear();
    return {};
  }
  std::string names[kPresetCount];
  for (int i = 0; i < kPresetCount; ++i) {
    if (!host.programNameIndexed(i, names[i])) names[i].clear();
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < kPresetCount; ++i) {
      bool match = pass == 0 ? names[i] == text : zelEqualsIgnoreCase(names[i], text);
      if (!names[i].empty() && match) {
        number = i;
        name = names[i];
        return {};
      }
    }
  }
  return Status::fail(ExitCode::value, "unknown preset \"" + text + "\" (see --list)");
}

Status selectPreset(const PluginHost& host, int number) {
  auto chunk = presetSelectionChunk(number);
  VstIntPtr result = host.setChunk(chunk.data(), chunk.size());
  if (result != 0) {
    return Status::fail(ExitCode::processing, "the plug-in refused to select preset " +
                                                  std::to_string(number) + " (answer " +
                                                  std::to_string(result) + ")");
  }
  return {};
}

}  // namespace zelrender
