// Preset and bank files through the editor object's operations on a chosen path: saving,
// loading in both byte orders, remembered names, refused paths, and failed saves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "CPresetSystemEditor.h"
#include "FileNames.h"
#include "PresetImageCodec.h"
#include "PresetTestSupport.h"

using namespace presettest;
namespace fs = std::filesystem;

namespace {

class PresetFiles : public ::testing::Test {
protected:
  TempHome home;
  std::unique_ptr<ZelFETcomp> effect = makeEffect();
  CPresetSystemEditor& editor() { return *static_cast<CPresetSystemEditor*>(effect->getEditor()); }
  std::string file(const std::string& name) { return home.file(name); }
};

TEST_F(PresetFiles, SavedPresetIsThePresetImageAndLoadsBack) {
  effect->setPresetNo(8);
  effect->setParameter(kThreshold, 0.2f);
  ASSERT_TRUE(editor().savePresetFile(file("bright.v2.zel").c_str()));
  char* raw = nullptr;
  const int length = PresetToBuffer(*effect, &raw);
  EXPECT_EQ(readFile(file("bright.v2.zel")), std::vector<char>(raw, raw + length));
  delete[] raw;
  EXPECT_STREQ(editor().suggestedPresetName(), "bright");
  EXPECT_EQ(editor().rememberedPaths().currentDirectory, home.path() + "/");

  auto other = makeEffect();
  auto& otherEditor = *static_cast<CPresetSystemEditor*>(other->getEditor());
  other->setPresetNo(1);
  ASSERT_TRUE(otherEditor.loadPresetFile(file("bright.v2.zel").c_str(), false));
  EXPECT_EQ(other->getPresetNo(), 1);
  EXPECT_EQ(other->getParameter(kThreshold), 0.2f);
  EXPECT_EQ(presetName(*other, 1), presetName(*effect, 8));
}

TEST_F(PresetFiles, BankFilesEndOnPresetZeroInEitherByteOrder) {
  for (bool big : {false, true}) {
    writeFile(file("seven.zlb"), bankImage(sampleBank(), 7, big));
    auto target = makeEffect();
    target->setPresetNo(20);
    auto& e = *static_cast<CPresetSystemEditor*>(target->getEditor());
    ASSERT_TRUE(e.loadBankFile(file("seven.zlb").c_str(), false));
    EXPECT_EQ(target->getPresetNo(), 0);
    EXPECT_EQ(presetName(*target, 7), "Sample 8");
    EXPECT_STREQ(e.rememberedPaths().bankFileName, "seven.zlb");
  }
  // The preset loader takes no bank, and the bank loader no preset.
  const TableSnapshot before = snapshot(*effect);
  EXPECT_FALSE(editor().loadPresetFile(file("seven.zlb").c_str(), false));
  writeFile(file("one.zel"), presetImage(samplePreset(1), false));
  EXPECT_FALSE(editor().loadBankFile(file("one.zel").c_str(), false));
  EXPECT_EQ(snapshot(*effect), before);
}

TEST_F(PresetFiles, EndianReversedLoadOfANativeFileIsRejected) {
  writeFile(file("native.zel"), presetImage(samplePreset(4), false));
  writeFile(file("big.zel"), presetImage(samplePreset(4), true));
  const TableSnapshot before = snapshot(*effect);
  EXPECT_FALSE(editor().loadPresetFile(file("native.zel").c_str(), true));
  EXPECT_FALSE(editor().loadPresetFile(file("big.zel").c_str(), true));
  EXPECT_EQ(snapshot(*effect), before);
  EXPECT_TRUE(editor().loadPresetFile(file("big.zel").c_str(), false));
  EXPECT_EQ(presetName(*effect, 0), "Sample 4");
}

TEST_F(PresetFiles, PathsThatDoNotFitTheBuffersAreRefused) {
  const std::string longName(kPathFieldSize, 'n');
  const std::string part(100, 'd');
  const std::string longFolder = home.path() + "/" + part + "/" + part + "/" + part;
  fs::create_directories(longFolder);
  writeFile(longFolder + "/p.zel", presetImage(samplePreset(2), false));
  const TableSnapshot before = snapshot(*effect);
  for (const std::string& path : {longFolder + "/p.zel", home.path() + "/" + longName,
                                  std::string("p.zel"), home.path() + "/"}) {
    EXPECT_FALSE(editor().loadPresetFile(path.c_str(), false)) << path;
    EXPECT_FALSE(editor().savePresetFile(path.c_str())) << path;
  }
  EXPECT_STREQ(editor().rememberedPaths().currentDirectory, "");
  EXPECT_EQ(snapshot(*effect), before);
  // The longest name a Linux file system takes fits.
  const std::string fits = home.path() + "/" + std::string(255, 'f');
  EXPECT_TRUE(editor().savePresetFile(fits.c_str()));
}

TEST_F(PresetFiles, FilesThatAreNotPresetsLoadNothingAndDoNotHang) {
  const std::string fifo = file("pipe.zel");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(file("folder.zel"));
  writeFile(file("short.zel"), {'K', 'v'});
  const TableSnapshot before = snapshot(*effect);
  for (const char* name : {"pipe.zel", "folder.zel", "short.zel", "missing.zel"})
    EXPECT_FALSE(editor().loadPresetFile(file(name).c_str(), false)) << name;
  EXPECT_EQ(snapshot(*effect), before);
}

// Runs without the right to ignore permissions: loads a read-only preset file from a
// read-only folder, then fails to save over it and leaves it as it was.
int readOnlyFolderBody(const std::string& folder) {
  auto effect = makeEffect();
  auto& editor = *static_cast<CPresetSystemEditor*>(effect->getEditor());
  const std::string path = folder + "/keep.zel";
  const std::vector<char> before = readFile(path);
  if (!editor.loadPresetFile(path.c_str(), false)) return 1;
  if (presetName(*effect, 0) != "Sample 6") return 2;
  effect->setParameter(kRatio, 0.9f);
  if (editor.savePresetFile(path.c_str())) return 3;
  if (editor.saveBankFile((folder + "/new.zlb").c_str())) return 4;
  // A write-protected file in a writable folder stays as it was too.
  const std::string own = "/tmp/zel-protected-" + std::to_string(::getpid()) + ".zel";
  writeFile(own, readFile(path));
  ::chmod(own.c_str(), 0444);
  const bool overwritten = editor.savePresetFile(own.c_str());
  const bool same = readFile(own) == before;
  ::unlink(own.c_str());
  if (overwritten || !same) return 7;
  if (readFile(path) != before) return 5;
  if (std::distance(fs::directory_iterator(folder), fs::directory_iterator()) != 1) return 6;
  return 0;
}

TEST_F(PresetFiles, ReadOnlyFilesLoadAndSavesIntoReadOnlyFoldersFailKeepingTheOldFile) {
  const std::string folder = file("readonly");
  fs::create_directory(folder);
  writeFile(folder + "/keep.zel", presetImage(samplePreset(6), false));
  ::chmod((folder + "/keep.zel").c_str(), 0444);
  ::chmod(folder.c_str(), 0555);
  ::chmod(home.path().c_str(), 0755);
  EXPECT_EQ(runUnprivileged(&readOnlyFolderBody, folder), 0);
  ::chmod(folder.c_str(), 0755);
}

TEST(FileNames, SuggestedPresetNames) {
  struct Case {
    const char* name;
    const char* suggested;
  };
  for (const Case& c : {Case{"bright.v2.zel", "bright"}, Case{".hidden.zel", ".hidden"},
                        Case{"plain", "plain"}, Case{"", ""}, Case{"..x", "."}}) {
    char text[kPathFieldSize];
    std::snprintf(text, sizeof text, "%s", c.name);
    removeExtensions(text);
    EXPECT_STREQ(text, c.suggested) << c.name;
  }
}

}  // namespace
