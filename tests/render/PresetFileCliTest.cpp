// zel-render's preset and bank files, end to end with the real plug-in: files it saves
// read as the formats say, and rendering with a file (either byte order, old or current
// format) sounds exactly like the same settings given directly.
#include <gtest/gtest.h>
#include <unistd.h>

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

void reverseWord(std::vector<char>& b, size_t at) {
  std::swap(b[at], b[at + 3]), std::swap(b[at + 1], b[at + 2]);
}

// The same image as a big-endian machine writes it: identifier, header words, record heads,
// parameter slots and values reversed; names stay as they are.
std::vector<char> bigEndian(std::vector<char> image) {
  reverseWord(image, 0);
  for (size_t at = 5; at < 41; at += 4) reverseWord(image, at);
  for (size_t at = 41; at + 12 <= image.size();) {
    const int32_t type = wordAt(image, at), length = wordAt(image, at + 4);
    for (size_t w = 0; w < (type == 1 ? 8u : 3u); ++w) reverseWord(image, at + 4 * w);
    at += 12 + static_cast<size_t>(length);
  }
  return image;
}

// An old preset file (kind 0x21) with the preset image's name and sixteen values.
std::vector<char> oldPresetFile(const std::vector<char>& image, bool big) {
  std::vector<char> old(image.begin(), image.begin() + 4);
  old.push_back(0x21);
  old.insert(old.end(), image.begin() + 41 + 12, image.begin() + 41 + 12 + 24);
  std::vector<char> values(64, 0);
  for (size_t at = 41 + 168; at + 32 <= image.size(); at += 32)
    std::memcpy(&values[4 * static_cast<size_t>(wordAt(image, at + 12))], &image[at + 24], 4);
  old.insert(old.end(), values.begin(), values.end());
  if (big)
    for (size_t at = 0; at < old.size(); at += at == 0 ? 29 : 4) reverseWord(old, at);
  return old;
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

TEST_F(PresetFileCli, PresetFilesOfEveryFormatRenderLikeTheSettingsGivenDirectly) {
  ASSERT_EQ(render({"--preset", "3", "--set", "Ratio=@0.5", "--save-preset", "p.zel"}).exitCode, 0);
  const std::vector<char> image = readBytes(file("p.zel"));
  writeBytes(file("big.zel"), bigEndian(image));
  writeBytes(file("old.zel"), oldPresetFile(image, false));
  writeBytes(file("oldbig.zel"), oldPresetFile(image, true));

  const std::vector<float> direct = rendered({"--preset", "3", "--set", "Ratio=@0.5"}, "d.wav");
  ASSERT_FALSE(direct.empty());
  EXPECT_NE(direct, rendered({"--preset", "3"}, "n.wav"));  // the setting matters
  for (const char* name : {"p.zel", "big.zel", "old.zel", "oldbig.zel"})
    EXPECT_EQ(rendered({"--preset-file", file(name)}, std::string(name) + ".wav"), direct) << name;
}

TEST_F(PresetFileCli, BankFilesLetPresetPickAndSaveBackByteForByte) {
  ASSERT_EQ(render({"--preset", "5", "--set", "Threshold=@0.2", "--save-bank", "b.zlb"}).exitCode,
            0);
  const std::vector<char> bank = readBytes(file("b.zlb"));
  writeBytes(file("big.zlb"), bigEndian(bank));
  const RunResult again =
      render({"--preset-file", "big.zlb", "--preset", "5", "--save-bank", "again.zlb"});
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
