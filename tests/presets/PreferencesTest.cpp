// The preferences file: its text form, values across store objects, damage, and writers
// that run at the same time or are killed in the middle of a write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "Preferences.h"
#include "PreferencesStore.h"
#include "PresetTestSupport.h"

using namespace presettest;

namespace {

constexpr char kDomain[] = "test.zel";

std::vector<char> pattern(int seed, size_t size) {
  std::vector<char> v;
  v.reserve(size);
  for (size_t i = 0; i < size; ++i) v.push_back(static_cast<char>((seed * 131 + i * 7) & 0xFF));
  return v;
}

TEST(PreferencesText, ValuesRoundTripAndUnknownLinesAreKept) {
  Preferences p;
  const std::vector<char> binary = pattern(3, 300);
  p.setData("Blob", binary.data(), binary.size());
  p.setString("Path", std::string("/home/x/Ünïcode %20 dir\n\t/", 28));
  p.setData("Empty", nullptr, 0);
  p.setString("bad key", "refused");
  const std::string text = p.serialise() + "Future = vector:3:1,2\nLater = vector:3:1,2,3\n";
  const Preferences back = Preferences::parse(text.data(), text.size());
  std::vector<char> data;
  std::string s;
  ASSERT_TRUE(back.getData("Blob", data));
  EXPECT_EQ(data, binary);
  ASSERT_TRUE(back.getString("Path", s));
  EXPECT_EQ(s, std::string("/home/x/Ünïcode %20 dir\n\t/", 28));
  EXPECT_TRUE(back.getData("Empty", data) && data.empty());
  EXPECT_FALSE(back.getString("Blob", s));  // typed: data is not a string
  EXPECT_EQ(back.size(), 4u);               // the bad key and the mis-sized line are gone
  const std::string again = back.serialise();
  EXPECT_NE(again.find("Future = vector:3:1,2\n"), std::string::npos);
  EXPECT_EQ(Preferences::parse(again.data(), again.size()), back);
}

TEST(PreferencesText, DamagedTextIsReadAsFarAsItIsValid) {
  Preferences p;
  for (int i = 0; i < 5; ++i) {
    const std::vector<char> v = pattern(i, 40 + i);
    p.setData("Key" + std::to_string(i), v.data(), v.size());
  }
  const std::string text = p.serialise();
  // Cut at every length: each value is either whole or absent.
  for (size_t length = 0; length <= text.size(); ++length) {
    const Preferences cut = Preferences::parse(text.data(), length);
    for (int i = 0; i < 5; ++i) {
      std::vector<char> v;
      if (cut.getData("Key" + std::to_string(i), v)) {
        EXPECT_EQ(v, pattern(i, 40 + i)) << length;
      }
    }
  }
  // Garbage lines between good ones are skipped.
  const std::string mixed = "Key0 = data:2:QUI=\n\x01\xff garbage\nX = data:9:AAAA\nY = data:x:\n" +
                            text.substr(text.find("Key3")) + "Z = string:3:a%Zb\n";
  const Preferences read = Preferences::parse(mixed.data(), mixed.size());
  std::vector<char> v;
  EXPECT_TRUE(read.getData("Key0", v) && v == std::vector<char>({'A', 'B'}));
  EXPECT_TRUE(read.getData("Key4", v));
  EXPECT_EQ(read.size(), 3u);
}

class PreferencesFile : public ::testing::Test {
protected:
  TempHome home;
};

TEST_F(PreferencesFile, ValuesSurviveANewStoreAndRemoval) {
  const std::vector<char> v = pattern(1, 593);
  {
    PreferencesStore store(kDomain);
    EXPECT_EQ(store.path(), home.path() + "/.config/test.zel.prefs");
    ASSERT_TRUE(store.setData("DefaultPreset", v.data(), v.size()));
    ASSERT_TRUE(store.setString("CurrDir", "/music/"));
  }
  PreferencesStore again(kDomain);
  std::vector<char> got;
  std::string dir;
  EXPECT_TRUE(again.read().getData("DefaultPreset", got));
  EXPECT_EQ(got, v);
  EXPECT_TRUE(again.read().getString("CurrDir", dir));
  EXPECT_EQ(dir, "/music/");
  ASSERT_TRUE(again.remove("DefaultPreset"));
  EXPECT_FALSE(PreferencesStore(kDomain).read().getData("DefaultPreset", got));
  EXPECT_TRUE(PreferencesStore(kDomain).read().getString("CurrDir", dir));

  // Without XDG_CONFIG_HOME the file lives under ~/.config.
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(PreferencesStore(kDomain).path(), home.path() + "/.config/test.zel.prefs");
  ::setenv("XDG_CONFIG_HOME", "relative/path", 1);
  EXPECT_EQ(PreferencesStore(kDomain).path(), home.path() + "/.config/test.zel.prefs");
}

TEST_F(PreferencesFile, DamagedFileIsReadAsFarAsValidAndRepairedByTheNextWrite) {
  PreferencesStore store(kDomain);
  ASSERT_TRUE(store.setString("Kept", "yes"));
  std::vector<char> text = readFile(store.path());
  const std::string damage = "Half = data:100:AAAA";
  text.insert(text.end(), damage.begin(), damage.end());
  text.push_back('\0');
  text.push_back('\xff');
  writeFile(store.path(), text);
  std::string kept;
  EXPECT_TRUE(store.read().getString("Kept", kept));
  ASSERT_TRUE(store.setString("New", "value"));
  const std::vector<char> repaired = readFile(store.path());
  const std::string repairedText(repaired.begin(), repaired.end());
  EXPECT_EQ(repairedText.find("Half"), std::string::npos);
  EXPECT_EQ(Preferences::parse(repaired.data(), repaired.size()).size(), 2u);
}

// Each writer sets keys of its own, one write at a time.
void writeKeys(const std::string& prefix, int count) {
  PreferencesStore store(kDomain);
  for (int i = 0; i < count; ++i)
    if (!store.setString(prefix + std::to_string(i), prefix)) std::abort();
}

void expectAllKeys(const std::vector<std::string>& prefixes, int count) {
  const Preferences p = PreferencesStore(kDomain).read();
  EXPECT_EQ(p.size(), prefixes.size() * static_cast<size_t>(count));
  for (const std::string& prefix : prefixes)
    for (int i = 0; i < count; ++i) {
      std::string v;
      EXPECT_TRUE(p.getString(prefix + std::to_string(i), v)) << prefix << i;
    }
}

TEST_F(PreferencesFile, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWrites = 300;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = ::fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      writeKeys(c ? "B" : "A", kWrites);
      ::_exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  expectAllKeys({"A", "B"}, kWrites);
}

TEST_F(PreferencesFile, ConcurrentWritersInOneProcessLoseNothing) {
  constexpr int kWrites = 60;
  std::thread a(writeKeys, "A", kWrites), b(writeKeys, "B", kWrites);
  a.join();
  b.join();
  expectAllKeys({"A", "B"}, kWrites);
}

TEST_F(PreferencesFile, WriterKilledAtRandomMomentsLeavesAWholeValue) {
  PreferencesStore store(kDomain);
  ASSERT_TRUE(store.setString("Other", "untouched"));
  const std::vector<char> first = pattern(0, 26537);
  ASSERT_TRUE(store.setData("DefaultBank", first.data(), first.size()));
  std::mt19937 random(1234);
  for (int round = 0; round < 25; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PreferencesStore writer(kDomain);
      for (int seed = 1;; ++seed) {
        const std::vector<char> v = pattern(seed % 7, 26537);
        writer.setData("DefaultBank", v.data(), v.size());
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const Preferences p = store.read();
    std::vector<char> v;
    std::string other;
    ASSERT_TRUE(p.getData("DefaultBank", v)) << "round " << round;
    bool whole = false;
    for (int seed = 0; seed < 7; ++seed) whole = whole || v == pattern(seed, 26537);
    EXPECT_TRUE(whole) << "round " << round;
    EXPECT_TRUE(p.getString("Other", other) && other == "untouched");
  }
  // A later write still succeeds (no lock left behind) and clears the killed writers' leftovers.
  EXPECT_TRUE(store.setString("After", "ok"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path() + "/.config"),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
