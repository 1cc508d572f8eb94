// Dialog and alert programs run as child processes: stand-in zenity, kdialog and
// xmessage scripts on PATH record their arguments and answer as a user would.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "ManualOpener.h"
#include "ProgramFileDialog.h"
#include "XPlatDisplayAlert.h"

namespace {

// A temporary folder of stand-in programs placed first on PATH for the test's life.
class StandInPrograms : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/zel-dialogs-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    const char* path = std::getenv("PATH");
    oldPath = path ? path : "";
    // Only our folder: a real zenity or xmessage must not answer.
    setenv("PATH", dir.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", oldPath.c_str(), 1);
    std::system(("rm -rf '" + dir + "'").c_str());
  }
  // A program that writes its arguments, one per line, to NAME.args and then runs body.
  void program(const std::string& name, const std::string& body) {
    const std::string file = dir + "/" + name;
    std::ofstream(file)
        << "#!/bin/sh\nPATH=/usr/bin:/bin\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
        << dir << "/" << name << ".args'\n"
        << body << "\n";
    chmod(file.c_str(), 0755);
  }
  std::string argsOf(const std::string& name) {
    std::ifstream in(dir + "/" + name + ".args");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Polls the dialog until it closes (a few seconds at most).
  bool finish(FileDialog& dialog, std::vector<std::string>& chosen) {
    for (int i = 0; i < 400; ++i) {
      if (dialog.poll(chosen)) return true;
      usleep(5000);
    }
    return false;
  }
  FileDialogRequest openPreset() {
    FileDialogRequest r;
    r.title = "Load preset";
    r.folder = "/home/me/presets/";
    r.filterName = "Zel Preset";
    r.extension = "zel";
    return r;
  }

  std::string dir, oldPath;
};

TEST_F(StandInPrograms, ZenityOpenAndSaveReturnTheChosenPathWithTheTitleFolderAndFilter) {
  program("zenity", "echo '/home/me/presets/My $Bright \"one\".zel'");
  ProgramFileDialog dialog;
  ASSERT_TRUE(dialog.start(openPreset()));
  std::vector<std::string> chosen;
  ASSERT_TRUE(finish(dialog, chosen));
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0], "/home/me/presets/My $Bright \"one\".zel");
  EXPECT_EQ(argsOf("zenity"),
            "--file-selection\n--title=Load preset\n--file-filter=Zel Preset | *.zel\n"
            "--filename=/home/me/presets/\n");

  // Saving suggests the name and adds the extension the user left out.
  program("zenity", "echo /tmp/out/bright");
  FileDialogRequest save = openPreset();
  save.save = true;
  save.title = "Save preset";
  save.suggestedName = "bright";
  ASSERT_TRUE(dialog.start(save));
  ASSERT_TRUE(finish(dialog, chosen));
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0], "/tmp/out/bright.zel");
  EXPECT_NE(argsOf("zenity").find("--filename=/home/me/presets/bright\n--save\n"),
            std::string::npos);
}

TEST_F(StandInPrograms, CancelFailureAndSeveralFilesChooseNothingUsable) {
  ProgramFileDialog dialog;
  std::vector<std::string> chosen;
  program("zenity", "exit 1");  // cancelled
  ASSERT_TRUE(dialog.start(openPreset()));
  ASSERT_TRUE(finish(dialog, chosen));
  EXPECT_TRUE(chosen.empty());
  program("zenity", "echo /a.zel; exit 3");  // failed, even with output
  ASSERT_TRUE(dialog.start(openPreset()));
  ASSERT_TRUE(finish(dialog, chosen));
  EXPECT_TRUE(chosen.empty());
  program("zenity", "printf '/a.zel\\n/b.zel\\n'");
  ASSERT_TRUE(dialog.start(openPreset()));
  ASSERT_TRUE(finish(dialog, chosen));
  EXPECT_EQ(chosen.size(), 2u);  // the caller acts only on exactly one
}

TEST_F(StandInPrograms, KdialogServesWhenZenityIsMissingAndNeitherMeansNoDialog) {
  ProgramFileDialog dialog;
  EXPECT_FALSE(dialog.start(openPreset()));  // no dialog program at all
  program("kdialog", "echo /home/me/b.zlb");
  FileDialogRequest bank = openPreset();
  bank.title = "Load bank (endian-reversed)";
  bank.filterName = "Zel Bank";
  bank.extension = "zlb";
  ASSERT_TRUE(dialog.start(bank));
  std::vector<std::string> chosen;
  ASSERT_TRUE(finish(dialog, chosen));
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0], "/home/me/b.zlb");
  EXPECT_EQ(argsOf("kdialog"),
            "--title\nLoad bank (endian-reversed)\n--getopenfilename\n/home/me/presets/\n"
            "*.zlb|Zel Bank\n");
}

TEST_F(StandInPrograms, ADialogThatNeverAnswersIsEndedAndTheChildSeesACleanEnvironment) {
  program("zenity", "env > '" + dir + "/env.txt'; exec sleep 60");
  setenv("LD_PRELOAD", "", 1);
  setenv("LD_LIBRARY_PATH", "/nowhere", 1);
  setenv("ZEL_KEPT", "yes", 1);
  {
    ProgramFileDialog dialog;
    ASSERT_TRUE(dialog.start(openPreset()));
    std::vector<std::string> chosen;
    for (int i = 0; i < 20; ++i) {
      EXPECT_FALSE(dialog.poll(chosen));
      usleep(10000);
    }
    dialog.cancel();
    EXPECT_TRUE(dialog.poll(chosen));
    EXPECT_TRUE(chosen.empty());
  }
  unsetenv("LD_PRELOAD");
  unsetenv("LD_LIBRARY_PATH");
  std::ifstream in(dir + "/env.txt");
  std::stringstream env;
  env << in.rdbuf();
  EXPECT_EQ(env.str().find("LD_LIBRARY_PATH"), std::string::npos);
  EXPECT_EQ(env.str().find("LD_PRELOAD"), std::string::npos);
  EXPECT_NE(env.str().find("ZEL_KEPT=yes"), std::string::npos);
  unsetenv("ZEL_KEPT");
}

TEST_F(StandInPrograms, AlertsUseTheFirstProgramThereIsAndShowTheTextAsItIs) {
  ChildProcess shown;
  const char* text = "Could not open manual file:\n~/\"Documents/x.pdf\" <b>$HOME</b>";
  EXPECT_FALSE(XPlatDisplayAlert(text, shown));  // nothing to show it with
  program("xmessage", "exit 0");
  ASSERT_TRUE(XPlatDisplayAlert(text, shown));
  ASSERT_TRUE(shown.waitFor(5000));
  EXPECT_EQ(argsOf("xmessage"), std::string("-center\n-buttons\nOK\n") + text + "\n");
  program("zenity", "exit 0");
  ASSERT_TRUE(XPlatDisplayAlert(text, shown));
  ASSERT_TRUE(shown.waitFor(5000));
  EXPECT_NE(argsOf("zenity").find(std::string("--no-markup\n--title=Zel Trevalon\n--text=") + text +
                                  "\n"),
            std::string::npos);
}

TEST_F(StandInPrograms, TheManualOpensFromDocumentsThenBesideThePluginElseTheAlertNamesIt) {
  // A home folder whose name a shell would misread.
  const std::string home = dir + "/Jo's \"home\" $HOME";
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  setenv("HOME", home.c_str(), 1);
  unsetenv("XDG_DOCUMENTS_DIR");
  unsetenv("XDG_CONFIG_HOME");
  program("xdg-open", "exit 0");
  ManualOpener opener;
  EXPECT_FALSE(opener.open(nullptr));  // no manual anywhere
  EXPECT_EQ(manualAlertText(),
            "Could not open manual file:\n~/\"Documents/zel-trevalon.audio/Zel Trevalon/"
            "Zel Trevalon Operation Manual.pdf\"");

  // The copy beside the plug-in serves while the documents folder has none.
  const std::string beside = dir + "/plugin dir";
  std::filesystem::create_directories(beside);
  std::ofstream(beside + "/Zel Trevalon Operation Manual.pdf") << "%PDF";
  bool failed = true;
  ASSERT_TRUE(opener.open(beside.c_str()));
  for (int i = 0; i < 400 && !opener.poll(failed); ++i) usleep(5000);
  EXPECT_FALSE(failed);
  EXPECT_EQ(argsOf("xdg-open"), beside + "/Zel Trevalon Operation Manual.pdf\n");

  // The documents folder comes from user-dirs.dirs and wins over the copy beside the plug-in.
  std::filesystem::create_directories(home + "/.config");
  std::filesystem::create_directories(home + "/Papers/zel-trevalon.audio/Zel Trevalon");
  std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";
  const std::string manual =
      home + "/Papers/zel-trevalon.audio/Zel Trevalon/Zel Trevalon Operation Manual.pdf";
  std::ofstream(manual) << "%PDF";
  program("xdg-open", "exit 4");  // the viewer reports a failure
  ASSERT_TRUE(opener.open(beside.c_str()));
  for (int i = 0; i < 400 && !opener.poll(failed); ++i) usleep(5000);
  EXPECT_TRUE(failed);
  EXPECT_EQ(argsOf("xdg-open"), manual + "\n");
  EXPECT_EQ(manualAlertText(),
            "Could not open manual file:\n~/\"Papers/zel-trevalon.audio/Zel Trevalon/"
            "Zel Trevalon Operation Manual.pdf\"");
  setenv("HOME", savedHome.c_str(), 1);
}

TEST(ChildProcessOutput, KeepsAtMostItsLimitAndReportsTheExitStatus) {
  ChildProcess p;
  EXPECT_FALSE(p.start({"zel-no-such-program"}));
  ASSERT_TRUE(p.start({"sh", "-c", "head -c 200000 /dev/zero; exit 7"}));
  ASSERT_TRUE(p.waitFor(5000));
  EXPECT_EQ(p.exitStatus(), 7);
  EXPECT_EQ(p.output().size(), ChildProcess::kMaxOutput);
}

}  // namespace
