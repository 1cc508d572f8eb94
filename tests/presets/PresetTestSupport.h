// Shared helpers of the preset tests: effects, images built byte by byte from the format
// tables (never with the project's writer), table snapshots, and a private home folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ZelFETcomp.h"

namespace presettest {

constexpr int32_t kUniqueId = 0x4B765264;  // 'KvRd'
// Slots that images carry.
constexpr int kStoredSlots[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13};

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float);

// A plug-in effect with its editor object, as the entry point makes it.
std::unique_ptr<ZelFETcomp> makeEffect();

// Builds images in either byte order: every 32-bit field is written in the writer's order.
class ImageBuilder {
public:
  explicit ImageBuilder(bool bigEndian) : big(bigEndian) {}
  ImageBuilder& word(int32_t v);
  ImageBuilder& real(float v);
  ImageBuilder& byte(char c);
  ImageBuilder& name(const std::string& text);  // 24 bytes, NUL-padded
  // The 41-byte header; identifier kUniqueId unless given.
  ImageBuilder& header(char kind, int32_t records, int32_t selected, int32_t payload,
                       int32_t id = kUniqueId);
  ImageBuilder& nameRecord(int32_t preset, const std::string& text);
  ImageBuilder& paramRecord(int32_t preset, int32_t slot, float value);
  std::vector<char> bytes;

private:
  bool big;
};

// What a test knows of one preset.
struct PresetValues {
  std::string name;
  float values[16] = {};
};

// Images of the formats, from the given presets (slots 0 to 15 each).
std::vector<char> presetImage(const PresetValues& p, bool bigEndian);
std::vector<char> bankImage(const std::vector<PresetValues>& presets, int selected, bool bigEndian);
std::vector<char> oldPresetFile(const PresetValues& p, int values, bool bigEndian);
std::vector<char> oldBankFile(const std::vector<PresetValues>& presets, int values, bool bigEndian);

// A recognisable preset: name and values distinct per seed, all within [0, 1].
PresetValues samplePreset(int seed);
std::vector<PresetValues> sampleBank();

// Everything a load may change: names, stored values, current preset, effect parameters.
struct TableSnapshot {
  std::vector<std::string> names;
  std::vector<float> values;
  long current = 0;
  std::vector<float> parameters;
  bool operator==(const TableSnapshot&) const = default;
};
TableSnapshot snapshot(ZelFETcomp& effect);

std::string presetName(ZelFETcomp& effect, int preset);

// Points HOME and XDG_CONFIG_HOME at a fresh folder for the test's lifetime.
class TempHome {
public:
  TempHome();
  ~TempHome();
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;
  const std::string& path() const { return root; }
  std::string file(const std::string& name) const { return root + "/" + name; }
  std::string preferencesFile() const;

private:
  std::string root;
  std::string oldHome, oldConfig;
  bool hadHome = false, hadConfig = false;
};

std::vector<char> readFile(const std::string& path);
void writeFile(const std::string& path, const std::vector<char>& bytes);

// Runs `body` in a child process without root's right to ignore file permissions (as user
// nobody when the test runs as root). Returns the child's exit status, or -1.
int runUnprivileged(int (*body)(const std::string&), const std::string& arg);

}  // namespace presettest
