// The independently made preset and bank files (tests/golden/data, see its README) read as
// their tables say, in both byte orders, and written back byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "BankImage.h"
#include "CPresetSystemEditor.h"
#include "ImageLoader.h"
#include "PresetImageCodec.h"
#include "PresetTestSupport.h"

using namespace presettest;

namespace {

std::string golden(const std::string& name) { return std::string(ZEL_GOLDEN_DIR) + "/" + name; }

// Golden value of seed k and slot s.
float goldenValue(int k, int s) { return static_cast<float>((37 * k + 11 * s + 5) % 257) / 256.0f; }

std::string rawName(ZelFETcomp& effect, int preset) {
  char name[24];
  effect.copyPresetName(preset, name);
  return std::string(name, 24);
}

std::string padded(const std::string& text) { return text + std::string(24 - text.size(), '\0'); }

void expectStored(ZelFETcomp& effect, int preset, int seed, float power) {
  for (int slot : kStoredSlots) {
    const float expected = slot == 0 ? power : goldenValue(seed, slot);
    EXPECT_EQ(effect.presetValue(preset, slot), expected)
        << "preset " << preset << " slot " << slot;
  }
}

class GoldenFiles : public ::testing::TestWithParam<const char*> {
protected:
  std::unique_ptr<ZelFETcomp> effect = makeEffect();
  CPresetSystemEditor& editor() { return *static_cast<CPresetSystemEditor*>(effect->getEditor()); }
  std::string file(const std::string& stem) { return golden(stem + GetParam()); }
};

TEST_P(GoldenFiles, BankImage) {
  ASSERT_TRUE(editor().loadBankFile(file("bank_").append(".zlb").c_str(), false));
  EXPECT_EQ(effect->getPresetNo(), 0);  // a bank file always ends on preset 0
  for (int p = 0; p < 48; ++p) expectStored(*effect, p, p, 0.25f);
  EXPECT_EQ(rawName(*effect, 12), padded("Golden 12"));
  EXPECT_EQ(rawName(*effect, 5), padded(std::string("Odd\0after NUL", 13)));
  EXPECT_EQ(rawName(*effect, 6), padded("Caf\xe9 \xa9 8-bit"));
  EXPECT_EQ(rawName(*effect, 47), "ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST_P(GoldenFiles, PresetImage) {
  effect->setPresetNo(17);
  ASSERT_TRUE(editor().loadPresetFile(file("preset_").append(".zel").c_str(), false));
  EXPECT_EQ(effect->getPresetNo(), 17);
  EXPECT_EQ(presetName(*effect, 17), "Golden Preset");
  expectStored(*effect, 17, 40, 1.0f);
}

TEST_P(GoldenFiles, OldPresetFile) {
  const TableSnapshot factory = snapshot(*effect);
  effect->setPresetNo(3);
  ASSERT_TRUE(editor().loadPresetFile(file("old_preset_").append(".zel").c_str(), false));
  EXPECT_EQ(presetName(*effect, 3), "Old Golden Preset");
  expectStored(*effect, 3, 41, goldenValue(41, 0));
  // Slots 3 and 7 (0.875 in the file) keep the default record's values.
  EXPECT_EQ(effect->presetValue(3, 3), factory.values[3]);
  EXPECT_EQ(effect->presetValue(3, 7), factory.values[7]);
}

TEST_P(GoldenFiles, OldBankFile) {
  ASSERT_TRUE(editor().loadBankFile(file("old_bank_").append(".zlb").c_str(), false));
  EXPECT_EQ(effect->getPresetNo(), 0);
  for (int p = 0; p < 48; ++p) {
    char name[8];
    std::snprintf(name, sizeof name, "Old %02d", p);
    EXPECT_EQ(presetName(*effect, p), name);
    // Selecting preset 0 gave every preset its Power.
    expectStored(*effect, p, 100 + p, goldenValue(100, 0));
  }
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, GoldenFiles, ::testing::Values("le", "be"));

// The writers give the golden bytes back for the same state.
TEST(GoldenFilesWritten, BankAndPresetImagesMatchByteForByte) {
  for (const char* stem : {"bank_le.zlb", "preset_le.zel"}) {
    SCOPED_TRACE(stem);
    const std::vector<char> expected = readFile(golden(stem));
    auto effect = makeEffect();
    effect->setPresetNo(11);
    ASSERT_NE(loadImageOfAnyOrder(*effect, expected.data(), expected.size(), ImageKinds::any, false,
                                  false),
              ImageLoadResult::rejected);
    char* raw = nullptr;
    const bool bank = expected[4] == 0x38;
    const int length = bank ? BankToBuffer(*effect, &raw) : PresetToBuffer(*effect, &raw);
    EXPECT_EQ(std::vector<char>(raw, raw + length), expected);
    delete[] raw;
  }
}

}  // namespace
