// The preset bar of the loaded plug-in in a real X11 window, clicked with real pointer events;
// files are chosen in a stand-in dialog program.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AEffGUIEditor.h"
#include "CFrame.h"
#include "COptionMenu.h"
#include "COptionMenuPopup.h"
#include "EditorFixture.h"
#include "HostCommandLine.h"
#include "OffscreenPanel.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"
#include "platform/offscreen/OffscreenPlatformFrame.h"

namespace e2e {
namespace {

constexpr int kRockerRightX = 340, kBarY = 276, kMenuX = 299, kSavePresetX = 97;
// The name field's area.
constexpr int kFieldLeft = 175, kFieldTop = 267, kFieldRight = 292, kFieldBottom = 282;

class PresetBarInWindow : public EditorFixture {
protected:
  std::string programName() {
    char name[kVstMaxProgNameLen + 8] = {};
    plugin.dispatch(effGetProgramName, 0, 0, name);
    return name;
  }
  std::string presetName(int index) {
    char name[kVstMaxProgNameLen + 8] = {};
    plugin.dispatch(effGetProgramNameIndexed, index, 0, name);
    return name;
  }
  void clickAt(int x, int y) {
    session.moveTo(editorWindow(), x, y);
    idle();
    session.click(1);
  }
  // Pixels of the name field in the window that differ from the field drawn offscreen for the
  // same preset.
  size_t fieldDiffersFromPreset(int preset) {
    zelhost::HostOptions options;
    options.preset = std::to_string(preset);
    const WindowImage reference = offscreenPanel(options);
    WindowImage shown;
    if (!session.grab(editorWindow(), shown) || reference.pixels.empty()) return ~size_t{0};
    size_t differing = 0;
    for (int y = kFieldTop; y < kFieldBottom; ++y) {
      for (int x = kFieldLeft; x < kFieldRight; ++x)
        differing += shown.at(x, y) != reference.at(x, y);
    }
    return differing;
  }
};

// Where the open preset list shows entry `index`, from an editor built into the test.
CPoint menuEntryCentre(int index) {
  auto* effect = createZelFETcomp(&zelhost::EditorHost::callback);
  auto* editor = static_cast<AEffGUIEditor*>(effect->getEditor());
  editor->setPlatformFrameFactory(createOffscreenPlatformFrame);
  CPoint centre(-1, -1);
  if (effect->dispatcher(effEditOpen, 0, 0, reinterpret_cast<void*>(1), 0.f)) {
    OffscreenPlatformFrame::of(editor->getFrame())->click(CPoint(kMenuX, kBarY));
    CFrame* frame = editor->getFrame();
    for (int32_t i = 0; i < frame->getNbViews(); ++i) {
      auto* menu = dynamic_cast<COptionMenu*>(frame->getView(i));
      if (menu && menu->getPopup()) centre = menu->getPopup()->getEntryRect(index).getCenter();
    }
  }
  delete effect;
  return centre;
}

TEST_F(PresetBarInWindow, RockerAndMenuSelectPresetsTheFieldShowsThemAndTheHostIsTold) {
  openAndDraw();
  const std::string first = programName();
  EXPECT_EQ(fieldDiffersFromPreset(0), 0u);

  const int before = updateDisplays;
  clickAt(kRockerRightX, kBarY);
  EXPECT_TRUE(within(2000, [&] {
    idle();
    return programName() == presetName(1);
  })) << programName();
  EXPECT_NE(programName(), first);
  EXPECT_GT(updateDisplays, before) << "the host re-reads names and values";
  idle(3);
  EXPECT_EQ(fieldDiffersFromPreset(1), 0u) << "the name field shows preset 1";
  EXPECT_GT(fieldDiffersFromPreset(0), 0u) << "and no longer preset 0";

  const CPoint entry = menuEntryCentre(12);
  ASSERT_GE(entry.x, 0);
  clickAt(kMenuX, kBarY);
  idle(3);
  clickAt(static_cast<int>(entry.x), static_cast<int>(entry.y));
  EXPECT_TRUE(within(2000, [&] {
    idle();
    return programName() == presetName(12);
  })) << programName();
  idle(3);
  EXPECT_EQ(fieldDiffersFromPreset(12), 0u) << "the name field shows preset 12";
}

TEST_F(PresetBarInWindow, SavesAPresetFileChosenInAStandInDialogProgram) {
  char pattern[] = "/tmp/zel-e2e-bar-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern, file = dir + "/saved preset.zel";
  {
    std::ofstream zenity(dir + "/zenity");
    zenity << "#!/bin/sh\nPATH=/usr/bin:/bin\nsleep 0.5\necho '" << dir << "/saved preset'\n";
  }
  chmod((dir + "/zenity").c_str(), 0755);
  const char* path = std::getenv("PATH");
  const std::string oldPath = path ? path : "";
  setenv("PATH", dir.c_str(), 1);

  openAndDraw();
  const std::string name = programName();
  clickAt(kSavePresetX, kBarY);
  idle(2);
  clickAt(kRockerRightX, kBarY);  // under the dialog: ignored
  const bool saved = within(5000, [&] {
    idle();
    return std::filesystem::exists(file);
  });
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_TRUE(saved);
  EXPECT_EQ(programName(), name);

  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string image = bytes.str();
  ASSERT_GT(image.size(), 41u);
  EXPECT_EQ(image.substr(0, 4), "dRvK") << "the plug-in's identifier, little-endian";
  EXPECT_EQ(image[4], '\x22') << "a preset image";
  EXPECT_NE(image.find(programName()), std::string::npos) << "the preset's name";
  // The plug-in reads it back as a preset file.
  std::string request = file;
  EXPECT_EQ(
      plugin.dispatch(effVendorSpecific, CPresetSystemEffect::kLoadFileRequest, 1, request.data()),
      1);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace e2e
