// zel-render's preset and bank files, end to end with the real plug-in: files it saves
// read as the formats say, and rendering with a file (either byte order, old or current
// format) sounds exactly like the same settings given directly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "RenderTestSupport.h"

using namespace zelrendertest;

namespace {

std::vector<char> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

int32_t wordAt(const std::vector<char>& b, size_t at) {
  int32_t v;
  std::memcpy(&v, &b[at], 4);
  return v;
}

std::string golden(const std::string& name) { return std::string(ZEL_GOLDEN_DIR) + "/" + name; }

// --set arguments for the golden values of `seed` (tests/golden/data/README.md), exact.
std::vector<std::string> goldenSettings(int seed, bool powerIn) {
  const char* names[] = {"Power", "Attack",    "Release", nullptr,  "ScHpfSt", "ScHpf",  "Ratio",
                         nullptr, "Threshold", "Channel", "Makeup", "Link",    "BlndSt", "Blend"};
  std::vector<std::string> args;
  for (int slot = 0; slot < 14; ++slot) {
    if (!names[slot]) continue;
    const double v = slot == 0 && powerIn ? 1.0 : ((37 * seed + 11 * slot + 5) % 257) / 256.0;
    char value[32];
    std::snprintf(value, sizeof value, "=@%.10g", v);
    args.insert(args.end(), {"--set", names[slot] + std::string(value)});
  }
  return args;
}

class PresetFileCli : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    inputs_ = std::make_unique<ScratchDir>();
    writeBurstFile(input(), 2, 44100, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1.0);
  }
  static void TearDownTestSuite() { inputs_.reset(); }
  static std::string input() { return inputs_->file("in.wav"); }

  RunResult render(std::vector<std::string> args) {
    args.insert(args.begin(), {"--plugin", pluginPath()});
    return runRender(args, work_.path());
  }
  // Renders the input with `args` and returns the output samples.
  std::vector<float> rendered(std::vector<std::string> args, const std::string& name) {
    args.insert(args.end(), {input(), "-o", work_.file(name)});
    const RunResult r = render(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? readAudio(work_.file(name)).samples : std::vector<float>();
  }
  std::string file(const std::string& name) const { return work_.file(name); }

  static std::unique_ptr<ScratchDir> inputs_;
  ScratchDir work_;
};

std::unique_ptr<ScratchDir> PresetFileCli::inputs_;

TEST_F(PresetFileCli, SavesOnlyTheFilesInTheFormatsLayout) {
  const RunResult r = render(
      {"--preset", "3", "--set", "Ratio=@0.5", "--save-preset", "p.zel", "--save-bank", "b.zlb"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(work_.entries().size(), 2u);  // nothing rendered
  const std::vector<char> preset = readBytes(file("p.zel")), bank = readBytes(file("b.zlb"));
  ASSERT_EQ(preset.size(), 593u);
  ASSERT_EQ(bank.size(), 26537u);
  EXPECT_EQ(wordAt(preset, 0), 0x4B765264);
  EXPECT_EQ(preset[4], 0x22);
  EXPECT_EQ(wordAt(preset, 13), 13);
  EXPECT_EQ(wordAt(preset, 21), 552);
  // Parameter records follow the name record in rising slot order: slot 6 is the sixth.
  const size_t ratio = 41 + 168 + 5 * 32;
  EXPECT_EQ(wordAt(preset, ratio + 12), 6);
  float value;
  std::memcpy(&value, &preset[ratio + 24], 4);
  EXPECT_EQ(value, 0.5f);
  EXPECT_EQ(bank[4], 0x38);
  EXPECT_EQ(wordAt(bank, 17), 3);  // the selected preset
  EXPECT_NE(r.out.find("saved    preset p.zel"), std::string::npos) << r.out;
}

// Files made by an independent writer, in both byte orders and the old format, sound exactly
// like their values given directly.
TEST_F(PresetFileCli, PresetFilesOfEveryFormatRenderLikeTheSettingsGivenDirectly) {
  struct Case {
    int seed;
    bool powerIn;  // the preset image stores Power 1, the old file its golden value
    const char* files[2];
  };
  for (const Case& c : {Case{40, true, {"preset_le.zel", "preset_be.zel"}},
                        Case{41, false, {"old_preset_le.zel", "old_preset_be.zel"}}}) {
    const std::vector<float> direct = rendered(goldenSettings(c.seed, c.powerIn), "direct.wav");
    ASSERT_FALSE(direct.empty());
    EXPECT_NE(direct, rendered({}, "plain.wav"));  // the settings matter
    for (const char* name : c.files)
      EXPECT_EQ(rendered({"--preset-file", golden(name)}, "file.wav"), direct) << name;
  }
}

TEST_F(PresetFileCli, BankFilesLetPresetPickAndSaveBackByteForByte) {
  ASSERT_EQ(render({"--preset", "5", "--set", "Threshold=@0.2", "--save-bank", "b.zlb"}).exitCode,
            0);
  const std::vector<char> bank = readBytes(file("b.zlb"));
  const RunResult again =
      render({"--preset-file", "b.zlb", "--preset", "5", "--save-bank", "again.zlb"});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(readBytes(file("again.zlb")), bank);

  const std::vector<float> direct = rendered({"--preset", "5", "--set", "Threshold=@0.2"}, "d.wav");
  EXPECT_EQ(rendered({"--preset-file", file("b.zlb"), "--preset", "5"}, "b.wav"), direct);
}

TEST_F(PresetFileCli, MissingRejectedAndUnwritableFilesFailClearly) {
  writeBytes(file("junk.zel"), {'K', 'v', 'R', 'd', 0x22, 1, 2, 3});
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const Case cases[] = {
      {{"--preset-file", "missing.zel"}, 3},
      {{"--preset-file", "junk.zel"}, 5},
      {{"--save-preset", "no/such/folder/p.zel"}, 4},
      {{"--save-preset", "same.zel", "--save-bank", "same.zel"}, 2},
      {{"--bench", "1", "--save-bank", "b.zlb"}, 2},
  };
  for (const Case& c : cases) {
    const RunResult r = render(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args[1] << "\n" << r.err;
  }
  EXPECT_EQ(work_.entries().size(), 1u);  // only junk.zel
}

}  // namespace
