// The preset bar offscreen with injected events: its controls, their actions, the file
// dialogs (scripted, and once through a stand-in dialog program), alerts and the manual.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "AlertOverlay.h"
#include "CFrame.h"
#include "COptionMenu.h"
#include "COptionMenuPopup.h"
#include "CZelTextEdit.h"
#include "CZlKickButton.h"
#include "DialogShield.h"
#include "ManualOpener.h"
#include "Zel245Editor.h"
#include "ZelFETcomp.h"
#include "ZelImageCache.h"
#include "ZelImageIds.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace fs = std::filesystem;

namespace {

std::atomic<int> updateDisplays{0};

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterUpdateDisplay) ++updateDisplays;
  return opcode == audioMasterVersion ? 2400 : 0;
}

// A file dialog whose answer the test gives.
struct Script {
  std::vector<FileDialogRequest> requests;
  bool answered = false;
  std::vector<std::string> answer;
  int cancels = 0;
};

class ScriptedDialog : public FileDialog {
public:
  explicit ScriptedDialog(Script& s) : script(s) {}
  bool start(const FileDialogRequest& request) override {
    script.requests.push_back(request);
    return true;
  }
  bool poll(std::vector<std::string>& chosen) override {
    if (!script.answered) return false;
    chosen = script.answer;
    script.answered = false;
    return true;
  }
  void cancel() override { ++script.cancels; }

private:
  Script& script;
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class PresetBar : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/zel-bar-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    fs::create_directories(dir + "/bin");
    fs::create_directories(dir + "/home/.config");
    // Preferences, documents and helper programs of the test's own; no real alert program.
    for (const char* name : {"HOME", "PATH", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"}) {
      const char* value = std::getenv(name);
      savedEnvironment.emplace_back(name, value ? value : "");
    }
    setenv("HOME", (dir + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir + "/home/.config").c_str(), 1);
    setenv("PATH", (dir + "/bin").c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    effect = createZelFETcomp(&host);
    editor = static_cast<Zel245Editor*>(effect->getEditor());
    editor->setPlatformFrameFactory(createOffscreenPlatformFrame);
    editor->setFileDialogFactory([this] { return std::make_unique<ScriptedDialog>(script); });
    editor->setInstalledManualFolder(dir + "/plugin");  // no manual there
    open();
  }
  void TearDown() override {
    delete effect;
    for (const auto& [name, value] : savedEnvironment) setenv(name.c_str(), value.c_str(), 1);
    std::system(("chmod -R u+w '" + dir + "'; rm -rf '" + dir + "'").c_str());
  }
  void open() {
    ASSERT_EQ(effect->dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{1}), 0.f), 1);
    frame = editor->getFrame();
    screen = OffscreenPlatformFrame::of(frame);
  }
  void idle(int times = 1) {
    while (times-- > 0) effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.f);
  }
  template <typename T = CControl>
  T* control(int32_t tag) {
    for (int32_t i = 0; i < frame->getNbViews(); ++i) {
      auto* c = dynamic_cast<CControl*>(frame->getView(i));
      if (c && c->getTag() == tag) return dynamic_cast<T*>(c);
    }
    return nullptr;
  }
  std::string name(long preset) {
    char raw[25] = {};
    effect->copyPresetName(preset, raw);
    return raw;
  }
  std::string fieldText() { return control<CZelTextEdit>(20)->getText(); }
  COptionMenu* menu() { return control<COptionMenu>(32); }
  // A stand-in program on PATH that writes its arguments, one a line, to NAME.args.
  void program(const std::string& program, const std::string& body) {
    const std::string file = dir + "/bin/" + program;
    std::ofstream(file) << "#!/bin/sh\nPATH=/usr/bin:/bin\nfor a in \"$@\"; do printf '%s\\n' "
                           "\"$a\"; done > '"
                        << file << ".args'\n"
                        << body << "\n";
    chmod(file.c_str(), 0755);
  }
  std::string alertText() {
    auto* overlay = dynamic_cast<AlertOverlay*>(frame->getModalView());
    return overlay ? overlay->getMessage() : std::string();
  }
  void answer(std::vector<std::string> paths) {
    script.answer = std::move(paths);
    script.answered = true;
    idle();
  }
  // A double click (Ctrl held when command) on a point.
  void doubleClick(const CPoint& where, bool command = false) {
    const CButtonState buttons = command ? (kLButton | kCommand) : CButtonState{kLButton};
    screen->mouseDownAt(where, buttons, 1000);
    screen->mouseUp(where, 0);
    screen->mouseDownAt(where, buttons, 1100);
    screen->mouseUp(where, 0);
  }

  std::string dir;
  std::vector<std::pair<std::string, std::string>> savedEnvironment;
  Script script;
  ZelFETcomp* effect = nullptr;
  Zel245Editor* editor = nullptr;
  CFrame* frame = nullptr;
  OffscreenPlatformFrame* screen = nullptr;
};

// Points on the bar's controls.
const CPoint kRockerLeft(316, 276), kRockerRight(341, 276), kMenu(299, 276), kNameField(233, 275);
const CPoint kLoadBank(76, 276), kSaveBank(26, 276), kDefaultBank(50, 276);
const CPoint kLoadPreset(156, 276), kSavePreset(97, 276), kDefaultPreset(125, 276);
const CPoint kStoreA(358, 276), kRecallA(380, 276), kStoreB(401, 276), kRecallB(423, 276);
const CPoint kManual(794, 276);

TEST_F(PresetBar, OpenBuildsTheFourteenControlsAndCloseReleasesTheirImages) {
  struct Expected {
    int32_t tag;
    CRect rect;
  };
  const Expected table[] = {
      {20, CRect(175, 267, 292, 282)}, {32, CRect(293, 269, 305, 283)},
      {21, CRect(313, 269, 344, 283)}, {22, CRect(70, 269, 82, 283)},
      {23, CRect(20, 269, 32, 283)},   {33, CRect(32, 268, 68, 283)},
      {24, CRect(150, 269, 162, 283)}, {25, CRect(91, 269, 103, 283)},
      {34, CRect(104, 268, 146, 283)}, {37, CRect(374, 269, 386, 283)},
      {35, CRect(352, 269, 364, 283)}, {38, CRect(417, 269, 429, 283)},
      {36, CRect(395, 269, 407, 283)}, {39, CRect(786, 269, 802, 283)},
  };
  for (const Expected& e : table) {
    CControl* c = control(e.tag);
    ASSERT_NE(c, nullptr) << e.tag;
    EXPECT_EQ(c->getViewSize(), e.rect) << e.tag;
  }
  EXPECT_TRUE(control<CZlKickButton>(33)->isDoubleClickOnly());
  EXPECT_TRUE(control<CZlKickButton>(34)->isDoubleClickOnly());
  EXPECT_FALSE(control<CZlKickButton>(35)->isDoubleClickOnly());
  EXPECT_EQ(fieldText(), name(0));
  ASSERT_EQ(menu()->getNbEntries(), 48);
  EXPECT_EQ(menu()->getEntry(47), name(47));
  EXPECT_EQ(menu()->getCurrent(), 0);

  frame->invalid();  // decodes every image
  EXPECT_GT(getZelImageUsers(ZelImageId::kPresetRocker), 0);
  effect->dispatcher(effEditClose, 0, 0, nullptr, 0.f);
  for (unsigned id : ZelImageId::kAll) {
    if (id != ZelImageId::kPanel) {
      EXPECT_EQ(getZelImageUsers(id), 0) << id;
    }
  }
}

TEST_F(PresetBar, RockerStepsWithinTheBankAndMenuEntry12SelectsPreset12) {
  struct Step {
    long from;
    CPoint where;
    long to;
  };
  for (const Step& s : {Step{5, kRockerRight, 6}, Step{5, kRockerLeft, 4},
                        Step{47, kRockerRight, 47}, Step{0, kRockerLeft, 0}}) {
    effect->setPresetNo(s.from);
    idle();
    updateDisplays = 0;
    screen->click(s.where);
    idle();
    EXPECT_EQ(effect->getPresetNo(), s.to) << s.from;
    EXPECT_EQ(fieldText(), name(s.to));
    EXPECT_EQ(menu()->getCurrent(), s.to);
    EXPECT_GT(updateDisplays, 0);
  }

  screen->click(kMenu);
  COptionMenuPopup* popup = menu()->getPopup();
  ASSERT_NE(popup, nullptr);
  screen->click(popup->getEntryRect(12).getCenter());
  idle();
  EXPECT_EQ(effect->getPresetNo(), 12);
  EXPECT_EQ(fieldText(), name(12));
  EXPECT_EQ(menu()->getCurrent(), 12);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(effect->getParameter(i), effect->presetValue(12, i)) << i;
}

TEST_F(PresetBar, ATypedOrHostGivenNameIsStoredWith23AndShownWith24Characters) {
  const std::string typed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";  // 30 characters
  effect->setPresetNo(3);
  idle();
  screen->click(kNameField);
  screen->typeText(typed.c_str());
  CKeyCode enter{0, kVKeyReturn, 0};
  screen->keyDown(enter);
  idle(2);
  EXPECT_EQ(name(3), typed.substr(0, 23));
  EXPECT_EQ(fieldText(), typed.substr(0, 24));
  EXPECT_STREQ(menu()->getEntry(3), typed.substr(0, 24).c_str());

  // A rename by the host reaches the bar at the next idle, from any thread.
  char hostName[] = "Host given name of 24 ch";
  effect->dispatcher(effSetProgramName, 0, 0, hostName, 0.f);
  idle();
  EXPECT_EQ(name(3), std::string(hostName).substr(0, 23));
  EXPECT_EQ(fieldText(), hostName);
  EXPECT_STREQ(menu()->getEntry(3), hostName);
}

TEST_F(PresetBar, DefaultsAndMemoriesFollowTheirButtons) {
  screen->click(kDefaultBank);  // a single click is no double click
  idle();
  EXPECT_FALSE(editor->loadDefaultBank());
  doubleClick(kDefaultBank);
  EXPECT_TRUE(editor->loadDefaultBank());
  doubleClick(kDefaultBank, true);
  EXPECT_FALSE(editor->loadDefaultBank());

  screen->click(kDefaultPreset);
  EXPECT_FALSE(editor->loadDefaultPreset());
  doubleClick(kDefaultPreset);
  EXPECT_TRUE(editor->loadDefaultPreset());
  doubleClick(kDefaultPreset, true);
  EXPECT_FALSE(editor->loadDefaultPreset());

  // A and B keep the values they were stored with.
  const struct { CPoint store, recall; } memories[] = {{kStoreA, kRecallA}, {kStoreB, kRecallB}};
  for (const auto& m : memories) {
    effect->setParameter(kThreshold, 0.25f);
    screen->click(m.store);
    effect->setParameter(kThreshold, 0.75f);
    screen->click(m.recall);
    idle();
    EXPECT_FLOAT_EQ(effect->getParameter(kThreshold), 0.25f);
  }
}

TEST_F(PresetBar, EachFileButtonAsksItsDialogAndTheEditorIgnoresClicksWhileItIsUp) {
  struct Case {
    CPoint where;
    CButtonState buttons;
    const char* title;
    bool save;
    const char* filter;
    const char* extension;
  };
  const Case cases[] = {
      {kLoadPreset, kLButton, "Load preset", false, "Zel Preset", "zel"},
      {kLoadPreset, kRButton, "Load preset (endian-reversed)", false, "Zel Preset", "zel"},
      {kSavePreset, kLButton, "Save preset", true, "Zel Preset", "zel"},
      {kLoadBank, kLButton, "Load bank", false, "Zel Bank", "zlb"},
      {kLoadBank, kRButton, "Load bank (endian-reversed)", false, "Zel Bank", "zlb"},
      {kSaveBank, kLButton, "Save bank", true, "Zel Bank", "zlb"},
  };
  for (const Case& c : cases) {
    script.requests.clear();
    screen->click(c.where, c.buttons);
    ASSERT_EQ(script.requests.size(), 1u) << c.title;
    const FileDialogRequest& r = script.requests[0];
    EXPECT_EQ(r.title, c.title);
    EXPECT_EQ(r.save, c.save);
    EXPECT_EQ(r.filterName, c.filter);
    EXPECT_EQ(r.extension, c.extension);
    ASSERT_TRUE(editor->isFileDialogOpen());
    EXPECT_NE(dynamic_cast<DialogShield*>(frame->getModalView()), nullptr);
    screen->click(kRockerRight);
    screen->click(c.where, c.buttons);
    idle(3);
    EXPECT_EQ(effect->getPresetNo(), 0) << "a click under the dialog";
    EXPECT_EQ(script.requests.size(), 1u);
    answer({});  // cancelled: nothing happens, the panel takes clicks again
    EXPECT_FALSE(editor->isFileDialogOpen());
    EXPECT_EQ(frame->getModalView(), nullptr);
  }
}

TEST_F(PresetBar, PresetAndBankFilesRoundTripThroughTheDialogsOnlyForOneChosenFile) {
  const std::string preset = dir + "/bright.v2.zel", bank = dir + "/all.zlb";
  effect->setParameter(kRatio, 0.125f);
  screen->click(kSavePreset);
  answer({preset});
  ASSERT_TRUE(fs::exists(preset));
  screen->click(kSaveBank);
  EXPECT_EQ(script.requests.back().folder, dir + "/");
  answer({bank});
  ASSERT_TRUE(fs::exists(bank));

  effect->setParameter(kRatio, 0.875f);
  screen->click(kLoadPreset);
  answer({preset, bank});  // several files: nothing
  EXPECT_FLOAT_EQ(effect->getParameter(kRatio), 0.875f);
  screen->click(kLoadPreset);
  answer({preset});
  EXPECT_FLOAT_EQ(effect->getParameter(kRatio), 0.125f);
  screen->click(kSavePreset);
  EXPECT_EQ(script.requests.back().suggestedName, "bright");
  answer({});

  effect->setPresetNo(9);
  effect->setPresetName("Changed");
  screen->click(kLoadBank);
  answer({bank});
  idle();
  EXPECT_EQ(effect->getPresetNo(), 0);
  EXPECT_EQ(name(9), menu()->getEntry(9)) << "the menu shows the loaded names";
  EXPECT_EQ(fieldText(), name(0));
}

TEST_F(PresetBar, AFailedSaveIsToldAndKeepsTheOldFile) {
  const std::string folder = dir + "/locked", old = folder + "/old.zel";
  fs::create_directories(folder);
  std::ofstream(old) << "OLD";
  chmod(folder.c_str(), 0555);
  // Permissions do not stop root: then a folder nobody can write to.
  const std::string target = access(folder.c_str(), W_OK) == 0 ? "/proc/zel-no/old.zel" : old;
  screen->click(kSavePreset);
  answer({target});
  EXPECT_EQ(alertText(), "Could not save the preset file:\n" + target);
  EXPECT_EQ(readFile(old), "OLD");

  // The alert takes the clicks until its OK, then the idle removes it.
  auto* overlay = dynamic_cast<AlertOverlay*>(frame->getModalView());
  screen->click(kRockerRight);
  EXPECT_EQ(effect->getPresetNo(), 0);
  screen->click(overlay->okButtonRect().getCenter());
  idle();
  EXPECT_EQ(frame->getModalView(), nullptr);
  screen->click(kRockerRight);
  EXPECT_EQ(effect->getPresetNo(), 1);
}

TEST_F(PresetBar, WithoutADialogProgramTheUserIsToldHowToGetOne) {
  editor->setFileDialogFactory(nullptr);  // the real dialog programs; PATH has none
  screen->click(kLoadBank);
  EXPECT_FALSE(editor->isFileDialogOpen());
  EXPECT_EQ(alertText(),
            "No file dialog program was found.\n"
            "Install zenity (or kdialog) to load and save presets and banks.");
}

TEST_F(PresetBar, ClosingTheEditorEndsADialogStillOpenAndItsAnswerIsNeverUsed) {
  screen->click(kLoadPreset);
  ASSERT_TRUE(editor->isFileDialogOpen());
  effect->dispatcher(effEditClose, 0, 0, nullptr, 0.f);
  EXPECT_EQ(script.cancels, 1);
  EXPECT_FALSE(editor->isFileDialogOpen());
  open();
  EXPECT_EQ(frame->getModalView(), nullptr);
  screen->click(kRockerRight);
  EXPECT_EQ(effect->getPresetNo(), 1);

  // The same with a real dialog program that never answers: it is ended.
  editor->setFileDialogFactory(nullptr);
  program("zenity", "echo $$ > '" + dir + "/pid'; exec sleep 60");
  screen->click(kSaveBank);
  ASSERT_TRUE(editor->isFileDialogOpen());
  for (int i = 0; i < 400 && !fs::exists(dir + "/pid"); ++i) usleep(5000);
  const pid_t pid = std::atoi(readFile(dir + "/pid").c_str());
  ASSERT_GT(pid, 0);
  effect->dispatcher(effEditClose, 0, 0, nullptr, 0.f);
  EXPECT_NE(kill(pid, 0), 0) << "the dialog program still runs";
}

TEST_F(PresetBar, ARealDialogProgramSavesThroughTheBar) {
  editor->setFileDialogFactory(nullptr);
  const std::string file = dir + "/from zenity.zel";
  program("zenity", "echo '" + dir + "/from zenity'");
  screen->click(kSavePreset);
  for (int i = 0; i < 400 && editor->isFileDialogOpen(); ++i) {
    usleep(5000);
    idle();
  }
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(readFile(file).substr(4, 1), "\x22") << "a preset file";
  EXPECT_NE(readFile(dir + "/bin/zenity.args").find("--title=Save preset\n"), std::string::npos);
}

TEST_F(PresetBar, TheManualButtonOpensTheManualOrTellsWhereItWasLookedFor) {
  program("xdg-open", "exit 0");
  screen->click(kManual);
  EXPECT_EQ(alertText(), manualAlertText());
  EXPECT_FALSE(control<CZlKickButton>(39)->isPressed());
  CKeyCode escape{0, kVKeyEscape, 0};
  screen->keyDown(escape);
  idle();
  EXPECT_EQ(frame->getModalView(), nullptr);

  // A documents folder no shell could be handed unquoted.
  const std::string documents = dir + "/Jo's \"docs\" $HOME `x`";
  const std::string manual =
      documents + "/zel-trevalon.audio/Zel Trevalon/Zel Trevalon Operation Manual.pdf";
  fs::create_directories(fs::path(manual).parent_path());
  std::ofstream(manual) << "%PDF";
  setenv("XDG_DOCUMENTS_DIR", documents.c_str(), 1);
  const struct {
    const char* viewer;
    bool told;
  } viewers[] = {{"exit 0", false}, {"exit 4", true}};
  for (const auto& v : viewers) {
    program("xdg-open", v.viewer);
    fs::remove(dir + "/bin/xdg-open.args");
    screen->click(kManual);
    for (int i = 0; i < 400 && !frame->getModalView() && !fs::exists(dir + "/bin/xdg-open.args");
         ++i) {
      usleep(5000);
    }
    for (int i = 0; i < 40; ++i, usleep(5000)) idle();
    EXPECT_EQ(readFile(dir + "/bin/xdg-open.args"), manual + "\n");
    EXPECT_EQ(alertText(), v.told ? manualAlertText() : "") << v.viewer;
    EXPECT_FALSE(control<CZlKickButton>(39)->isPressed());
    screen->keyDown(escape);
    idle();
  }
}

}  // namespace

namespace {

TEST_F(PresetBar, ThreadedHostRenamesAndSelectionsReachTheBarAtTheNextIdle) {
  std::atomic<bool> done{false};
  std::thread host([&] {
    for (int i = 0; i < 300; ++i) {
      char text[32];
      std::snprintf(text, sizeof text, "Renamed %d", i);
      effect->dispatcher(effSetProgramName, 0, 0, text, 0.f);
      if (i % 50 == 0) effect->setPresetNo(i / 50);
    }
    done = true;
  });
  while (!done) idle();
  host.join();
  idle();
  EXPECT_EQ(effect->getPresetNo(), 5);
  EXPECT_EQ(name(5), "Renamed 299");
  EXPECT_EQ(fieldText(), "Renamed 299");
  EXPECT_STREQ(menu()->getEntry(5), "Renamed 299");
  EXPECT_EQ(menu()->getCurrent(), 5);
}

TEST(AlertOverlayLayout, LongLinesBreakAfterASlashAndTheBoxStaysOnThePanel) {
  std::string path = "/";
  for (int i = 0; i < 12; ++i) path += "a-rather-long-folder-name/";
  const std::string text = "Could not save the preset file:\n" + path + "x.zel";
  AlertOverlay overlay(CRect(0, 0, 811, 286), text);
  const std::vector<std::string>& lines = overlay.getLines();
  ASSERT_GE(lines.size(), 3u);
  std::string joined;
  for (const std::string& line : lines) joined += line;
  EXPECT_EQ(joined, "Could not save the preset file:" + path + "x.zel");
  for (size_t i = 1; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].back(), '/') << lines[i];
  const CRect ok = overlay.okButtonRect();
  EXPECT_TRUE(CRect(0, 0, 811, 286).rectInside(ok));
}

// Pictures of the bar and of the alert drawn over the panel, for a person to look at.
TEST_F(PresetBar, PicturesWhenAskedFor) {
  const char* shots = std::getenv("ZEL_SHOT_DIR");
  if (!shots) GTEST_SKIP() << "set ZEL_SHOT_DIR to write the pictures";
  effect->setPresetNo(2);
  idle();
  frame->invalid();
  EXPECT_TRUE(screen->writePNG((std::string(shots) + "/bar.png").c_str()));
  screen->click(kMenu);
  frame->invalid();
  EXPECT_TRUE(screen->writePNG((std::string(shots) + "/menu.png").c_str()));
  CKeyCode escape{0, kVKeyEscape, 0};
  screen->keyDown(escape);
  screen->click(kManual);
  idle();
  frame->invalid();
  EXPECT_TRUE(screen->writePNG((std::string(shots) + "/alert.png").c_str()));
}

}  // namespace
