// The default preset and bank, the A/B memories and the remembered names in the user's
// preferences, a new instance's start with them, and the file requests of hosts and tools.
#include <gtest/gtest.h>

#include "CPresetSystemEditor.h"
#include "PreferencesStore.h"
#include "PresetPreferences.h"
#include "PresetTestSupport.h"

using namespace presettest;

namespace {

class StoredPresets : public ::testing::Test {
protected:
  TempHome home;
  std::unique_ptr<ZelFETcomp> effect = makeEffect();
  CPresetSystemEditor& editorOf(ZelFETcomp& e) {
    return *static_cast<CPresetSystemEditor*>(e.getEditor());
  }
  CPresetSystemEditor& editor() { return editorOf(*effect); }
};

TEST_F(StoredPresets, NewInstanceStartsWithTheDefaultBankThenTheDefaultPreset) {
  const TableSnapshot factory = snapshot(*effect);
  effect->setPresetNo(5);
  effect->setParameter(kRatio, 0.8125f);  // preset 5 of the bank
  ASSERT_TRUE(editor().saveDefaultBank());
  effect->setPresetNo(2);
  ASSERT_TRUE(editor().saveDefaultPreset());  // factory preset 2, the default preset

  auto next = makeEffect();
  EXPECT_EQ(next->getPresetNo(), 0);
  EXPECT_EQ(next->presetValue(5, kRatio), 0.8125f);
  EXPECT_EQ(presetName(*next, 0), factory.names[2]);  // preset 0 took the default preset
  EXPECT_EQ(next->getParameter(kThreshold), factory.values[2 * 16 + kThreshold]);

  ASSERT_TRUE(editorOf(*next).resetDefaultPreset());
  ASSERT_TRUE(editorOf(*next).resetDefaultBank());
  EXPECT_EQ(snapshot(*makeEffect()), factory);
  const TableSnapshot before = snapshot(*next);
  EXPECT_FALSE(editorOf(*next).loadDefaultBank());
  EXPECT_FALSE(editorOf(*next).loadDefaultPreset());
  EXPECT_EQ(snapshot(*next), before);
}

TEST_F(StoredPresets, MemoriesAAndBGoIntoTheCurrentPreset) {
  const TableSnapshot before = snapshot(*effect);
  EXPECT_FALSE(editor().recallA());  // nothing stored: nothing changes
  EXPECT_EQ(snapshot(*effect), before);

  effect->setPresetNo(3);
  ASSERT_TRUE(editor().storeA());
  effect->setPresetNo(4);
  ASSERT_TRUE(editor().storeB());
  effect->setPresetNo(10);
  ASSERT_TRUE(editor().recallA());
  EXPECT_EQ(effect->getPresetNo(), 10);
  EXPECT_EQ(presetName(*effect, 10), before.names[3]);
  auto other = makeEffect();  // memories are shared by every instance
  ASSERT_TRUE(editorOf(*other).recallB());
  EXPECT_EQ(presetName(*other, 0), before.names[4]);
}

TEST_F(StoredPresets, DamagedOrForeignStoredValuesAreIgnored) {
  PreferencesStore store(kPreferencesDomain);
  const std::vector<char> garbage = {'K', 'v', 'R', 'd', 0x22, 1, 2, 3};
  const std::vector<char> old = oldPresetFile(samplePreset(7), 16, true);
  ASSERT_TRUE(store.setData(kDefaultBankKey, garbage.data(), garbage.size()));
  ASSERT_TRUE(store.setData(kDefaultPresetKey, old.data(), old.size()));
  ASSERT_TRUE(store.setString(kMemoAKey, "not binary"));
  auto next = makeEffect();
  EXPECT_EQ(presetName(*next, 0), "Sample 7");  // an old big-endian preset value is read
  const TableSnapshot before = snapshot(*next);
  EXPECT_FALSE(editorOf(*next).recallA());
  EXPECT_EQ(snapshot(*next), before);
}

TEST_F(StoredPresets, RememberedNamesReachTheNextInstance) {
  writeFile(home.file("a.zel"), presetImage(samplePreset(1), false));
  ASSERT_TRUE(editor().loadPresetFile(home.file("a.zel").c_str(), false));
  ASSERT_TRUE(editor().saveBankFile(home.file("all.zlb").c_str()));
  auto next = makeEffect();
  const RememberedPaths& paths = editorOf(*next).rememberedPaths();
  EXPECT_EQ(paths.currentDirectory, home.path() + "/");
  EXPECT_STREQ(paths.presetFileName, "a.zel");
  EXPECT_STREQ(paths.bankFileName, "all.zlb");

  // Stored strings longer than the buffers are cut, not overflowed.
  PreferencesStore(kPreferencesDomain).setString("CurrDir", std::string(1000, 'x'));
  editorOf(*next).recallPathsAndFilenames();
  EXPECT_EQ(std::string(paths.currentDirectory), std::string(256, 'x'));
}

TEST_F(StoredPresets, VendorFileRequestsLoadAndSaveAsThePresetBarDoes) {
  effect->setPresetNo(6);
  std::string preset = home.file("req.zel"), bank = home.file("req.zlb");
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, CPresetSystemEffect::kSaveFileRequest, 0,
                               preset.data(), 0.0f),
            1);
  EXPECT_EQ(effect->dispatcher(effVendorSpecific, CPresetSystemEffect::kSaveFileRequest, 1,
                               bank.data(), 0.0f),
            1);
  ASSERT_TRUE(editor().savePresetFile(home.file("bar.zel").c_str()));
  EXPECT_EQ(readFile(preset), readFile(home.file("bar.zel")));

  auto target = makeEffect();
  const RememberedPaths remembered = editorOf(*target).rememberedPaths();
  auto request = [&](VstInt32 index, VstIntPtr value, std::string path) {
    return target->dispatcher(effVendorSpecific, index, value, path.data(), 0.0f);
  };
  const VstInt32 load = CPresetSystemEffect::kLoadFileRequest;
  EXPECT_EQ(request(load, 0, bank), 2);
  EXPECT_EQ(request(load, 0, preset), 1);
  EXPECT_EQ(request(load, 2, preset), 0);      // bank files only
  EXPECT_EQ(request(load, 1 | 4, preset), 0);  // endian-reversed load of a native file
  EXPECT_EQ(request(load, 8, preset), 0);
  EXPECT_EQ(request(load, 0, home.file("missing.zel")), 0);
  EXPECT_EQ(request(CPresetSystemEffect::kSaveFileRequest, 2, home.file("x")), 0);
  EXPECT_EQ(request(CCONST('a', 'b', 'c', 'd'), 0, preset), 0);
  EXPECT_EQ(target->dispatcher(effVendorSpecific, load, 0, nullptr, 0.0f), 0);
  // Requests do not change the names the preset bar remembers.
  EXPECT_STREQ(editorOf(*target).rememberedPaths().presetFileName, remembered.presetFileName);
  EXPECT_STREQ(editorOf(*target).rememberedPaths().bankFileName, remembered.bankFileName);
}

}  // namespace
