// Preset images and the old formats, read through the loader of undetermined byte order:
// both byte orders, the value rules, and the preset details (name-only images, record
// skipping, Power).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ImageLoader.h"
#include "PresetTestSupport.h"

using namespace presettest;

namespace {

ImageLoadResult load(ZelFETcomp& effect, const std::vector<char>& image,
                     ImageKinds kinds = ImageKinds::any, bool userReversed = false) {
  return loadImageOfAnyOrder(effect, image.data(), image.size(), kinds, userReversed, true);
}

void expectPreset(ZelFETcomp& effect, int preset, const PresetValues& p, int valuesRead = 16) {
  EXPECT_EQ(presetName(effect, preset), p.name);
  for (int slot = 0; slot < valuesRead; ++slot) {
    if (effect.isDummy(slot)) continue;
    EXPECT_EQ(effect.presetValue(preset, slot), p.values[slot])
        << "preset " << preset << " slot " << slot;
  }
}

// Every kind in both byte orders reads the same presets.
TEST(PresetImage, EveryKindReadsTheSameInBothByteOrders) {
  const PresetValues p = samplePreset(9);
  const std::vector<PresetValues> bank = sampleBank();
  struct Case {
    const char* what;
    std::vector<char> little, big;
    ImageLoadResult result;
  };
  const Case cases[] = {
      {"preset image", presetImage(p, false), presetImage(p, true), ImageLoadResult::presetLoaded},
      {"old preset file", oldPresetFile(p, 16, false), oldPresetFile(p, 16, true),
       ImageLoadResult::presetLoaded},
      {"bank image", bankImage(bank, 7, false), bankImage(bank, 7, true),
       ImageLoadResult::bankLoaded},
      {"old bank file", oldBankFile(bank, 16, false), oldBankFile(bank, 16, true),
       ImageLoadResult::bankLoaded},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TableSnapshot first;
    for (bool big : {false, true}) {
      auto effect = makeEffect();
      effect->setPresetNo(4);
      ASSERT_EQ(load(*effect, big ? c.big : c.little), c.result);
      if (c.result == ImageLoadResult::presetLoaded) {
        EXPECT_EQ(effect->getPresetNo(), 4);
        expectPreset(*effect, 4, p);
      } else {
        for (int i = 0; i < 48; ++i) expectPreset(*effect, i, bank[i]);
      }
      if (!big) {
        first = snapshot(*effect);
      } else {
        EXPECT_EQ(snapshot(*effect), first);
      }
    }
  }
}

TEST(PresetImage, OutOfRangeValuesRollBackPresetsAndOldFiles) {
  PresetValues bad = samplePreset(5);
  bad.values[kScHpf] = 1.5f;
  std::vector<PresetValues> badBank = sampleBank();
  badBank[40].values[kRatio] = -0.25f;
  PresetValues notANumber = samplePreset(6);
  notANumber.values[kBlend] = std::nanf("");
  const std::vector<std::vector<char>> images = {
      presetImage(bad, false), oldPresetFile(bad, 16, true), oldPresetFile(notANumber, 16, false),
      oldBankFile(badBank, 16, false)};
  for (const auto& image : images) {
    auto effect = makeEffect();
    effect->setPresetNo(3);
    const TableSnapshot before = snapshot(*effect);
    EXPECT_EQ(load(*effect, image), ImageLoadResult::rejected);
    EXPECT_EQ(snapshot(*effect), before);
  }
}

TEST(PresetImage, NameOnlyImageGivesTheDefaultRecordsValues) {
  auto effect = makeEffect();
  effect->setPresetNo(6);
  const TableSnapshot factory = snapshot(*effect);
  ImageBuilder b(false);
  b.header(0x22, 1, 0, 168).nameRecord(0, "Only A Name");
  ASSERT_EQ(load(*effect, b.bytes), ImageLoadResult::presetLoaded);
  EXPECT_EQ(presetName(*effect, 6), "Only A Name");
  // The default record is factory preset 0.
  for (int slot = 1; slot < 16; ++slot)
    EXPECT_EQ(effect->presetValue(6, slot), factory.values[slot]) << slot;
}

TEST(PresetImage, RecordsOfOtherTypesSlotsAndPresetNumbersAreSkipped) {
  auto effect = makeEffect();
  ImageBuilder b(false);
  b.header(0x22, 5, 33, 0).nameRecord(99, "Skipping");
  b.word(7).word(4).word(0).word(0x55555555);  // unknown type with a short body
  b.paramRecord(0, 42, 5.0f);                  // a slot outside 0 to 15
  b.paramRecord(17, kRatio, 0.75f);            // preset numbers do not matter here
  b.paramRecord(0, kMakeup, 0.125f);
  const int32_t payload = static_cast<int32_t>(b.bytes.size() - 41);
  std::memcpy(&b.bytes[21], &payload, 4);
  ASSERT_EQ(load(*effect, b.bytes), ImageLoadResult::presetLoaded);
  EXPECT_EQ(presetName(*effect, 0), "Skipping");
  EXPECT_EQ(effect->presetValue(0, kRatio), 0.75f);
  EXPECT_EQ(effect->getParameter(kMakeup), 0.125f);
}

TEST(PresetImage, OldPresetFileOf93BytesIgnoresSlots3And7) {
  PresetValues p = samplePreset(2);
  p.values[kUnused3] = 5.0f;  // would be rejected if it were read
  p.values[kUnused7] = -1.0f;
  const std::vector<char> file = oldPresetFile(p, 16, false);
  ASSERT_EQ(file.size(), 93u);
  auto effect = makeEffect();
  const float placeholder3 = effect->presetValue(0, kUnused3);
  ASSERT_EQ(load(*effect, file), ImageLoadResult::presetLoaded);
  expectPreset(*effect, 0, p);
  EXPECT_EQ(effect->presetValue(0, kUnused3), placeholder3);

  // Fewer floats than slots: the rest keep the default record's values.
  auto shortFile = makeEffect();
  ASSERT_EQ(load(*shortFile, oldPresetFile(p, 5, true)), ImageLoadResult::presetLoaded);
  expectPreset(*shortFile, 0, p, 5);
  EXPECT_EQ(shortFile->presetValue(0, kThreshold), makeEffect()->presetValue(0, kThreshold));
}

TEST(PresetImage, PowerFromAnImageIsOneSettingForAllPresets) {
  PresetValues off = samplePreset(4);
  off.values[kPower] = 0.0f;
  auto effect = makeEffect();
  effect->setPresetNo(12);
  ASSERT_EQ(load(*effect, presetImage(off, true)), ImageLoadResult::presetLoaded);
  EXPECT_EQ(effect->getParameter(kPower), 0.0f);
  for (int preset = 0; preset < 48; ++preset) EXPECT_EQ(effect->presetValue(preset, kPower), 0.0f);
}

}  // namespace
