#include "PresetTestSupport.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ZelWiring.h"

namespace presettest {

namespace {
// The whole test program runs in a home folder of its own: every effect reads preferences.
const TempHome programHome;
}  // namespace

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

std::unique_ptr<ZelFETcomp> makeEffect() {
  return std::unique_ptr<ZelFETcomp>(createZelFETcomp(&host));
}

ImageBuilder& ImageBuilder::word(int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                        static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  if (big) std::swap(b[0], b[3]), std::swap(b[1], b[2]);
  bytes.insert(bytes.end(), b, b + 4);
  return *this;
}

ImageBuilder& ImageBuilder::real(float v) {
  int32_t w;
  std::memcpy(&w, &v, 4);
  return word(w);
}

ImageBuilder& ImageBuilder::byte(char c) {
  bytes.push_back(c);
  return *this;
}

ImageBuilder& ImageBuilder::name(const std::string& text) {
  char field[24] = {};
  std::memcpy(field, text.data(), std::min<size_t>(text.size(), 24));
  bytes.insert(bytes.end(), field, field + 24);
  return *this;
}

ImageBuilder& ImageBuilder::header(char kind, int32_t records, int32_t selected, int32_t payload,
                                   int32_t id) {
  word(id).byte(kind).word(0x01000000).word(16).word(records).word(selected).word(payload);
  for (int i = 0; i < 4; ++i) word(0);
  return *this;
}

ImageBuilder& ImageBuilder::nameRecord(int32_t preset, const std::string& text) {
  word(0).word(156).word(preset).name(text);
  bytes.insert(bytes.end(), 132, 0);
  return *this;
}

ImageBuilder& ImageBuilder::paramRecord(int32_t preset, int32_t slot, float value) {
  return word(1).word(20).word(preset).word(slot).word(0).word(0).real(value).word(0);
}

std::vector<char> presetImage(const PresetValues& p, bool bigEndian) {
  ImageBuilder b(bigEndian);
  b.header(0x22, 13, 0, 552).nameRecord(0, p.name);
  for (int slot : kStoredSlots) b.paramRecord(0, slot, p.values[slot]);
  return b.bytes;
}

std::vector<char> bankImage(const std::vector<PresetValues>& presets, int selected,
                            bool bigEndian) {
  ImageBuilder b(bigEndian);
  b.header(0x38, 48 * 13, selected, 48 * 552);
  for (int i = 0; i < 48; ++i) {
    b.nameRecord(i, presets[i].name);
    for (int slot : kStoredSlots) b.paramRecord(i, slot, presets[i].values[slot]);
  }
  return b.bytes;
}

std::vector<char> oldPresetFile(const PresetValues& p, int values, bool bigEndian) {
  ImageBuilder b(bigEndian);
  b.word(kUniqueId).byte(0x21).name(p.name);
  for (int j = 0; j < values; ++j) b.real(j < 16 ? p.values[j] : 0.25f);
  return b.bytes;
}

std::vector<char> oldBankFile(const std::vector<PresetValues>& presets, int values,
                              bool bigEndian) {
  ImageBuilder b(bigEndian);
  b.word(kUniqueId).byte(0x37);
  for (int i = 0; i < 48; ++i) {
    b.name(presets[i].name);
    for (int j = 0; j < values; ++j) b.real(j < 16 ? presets[i].values[j] : 0.25f);
  }
  return b.bytes;
}

PresetValues samplePreset(int seed) {
  PresetValues p;
  p.name = "Sample " + std::to_string(seed);
  for (int j = 0; j < 16; ++j) p.values[j] = static_cast<float>((seed * 7 + j * 3) % 17) / 16.0f;
  p.values[0] = 1.0f;  // Power in: one setting for all presets
  return p;
}

std::vector<PresetValues> sampleBank() {
  std::vector<PresetValues> bank;
  for (int i = 0; i < 48; ++i) bank.push_back(samplePreset(i + 1));
  return bank;
}

std::string presetName(ZelFETcomp& effect, int preset) {
  char text[32] = {};
  effect.getProgramNameIndexed(0, preset, text);
  return text;
}

TableSnapshot snapshot(ZelFETcomp& effect) {
  TableSnapshot s;
  for (int p = 0; p < 48; ++p) {
    s.names.push_back(presetName(effect, p));
    for (int slot = 0; slot < 16; ++slot) s.values.push_back(effect.presetValue(p, slot));
  }
  s.current = effect.getPresetNo();
  for (int i = 0; i < 16; ++i) s.parameters.push_back(effect.getParameter(i));
  return s;
}

TempHome::TempHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zel-home-XXXXXX").string();
  root = ::mkdtemp(pattern.data()) ? pattern : std::string();
  if (const char* h = std::getenv("HOME")) hadHome = true, oldHome = h;
  if (const char* c = std::getenv("XDG_CONFIG_HOME")) hadConfig = true, oldConfig = c;
  ::setenv("HOME", root.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (root + "/.config").c_str(), 1);
}

TempHome::~TempHome() {
  if (hadHome)
    ::setenv("HOME", oldHome.c_str(), 1);
  else
    ::unsetenv("HOME");
  if (hadConfig)
    ::setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  std::error_code ignored;
  std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root, ignored);
}

std::string TempHome::preferencesFile() const {
  return root + "/.config/audio.zel-trevalon.trevalon.prefs";
}

std::vector<char> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int runUnprivileged(int (*body)(const std::string&), const std::string& arg) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
    ::_exit(body(arg));
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace presettest
