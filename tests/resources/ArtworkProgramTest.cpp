// The artwork program: the same pictures on every run, and the ones the build embedded.
#include "PngImage.h"
#include "ZelBinaryData.h"
#include "ZelImageIds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh temporary folder, removed with its contents at the end of the test.
class TempDir {
public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zel-art-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

private:
  fs::path path_;
};

int runArtwork(const std::string& arguments) {
  std::string command = "\"";
  command.append(ZEL_ARTWORK_PROGRAM).append("\" ").append(arguments).append(" >/dev/null 2>&1");
  return std::system(command.c_str());
}

std::string quoted(const fs::path& path) {
  std::string s = "\"";
  s += path.string();
  s += '"';
  return s;
}

// The file the program wrote for an id: named "<id>-<name>.png".
fs::path fileFor(const fs::path& dir, unsigned id) {
  const std::string prefix = std::to_string(id) + "-";
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().filename().string().rfind(prefix, 0) == 0) return entry.path();
  return {};
}

TEST(ArtworkProgram, DrawsTheSameBytesEveryRunAndTheBuildEmbeddedThem) {
  TempDir first, second;
  ASSERT_FALSE(first.path().empty());
  ASSERT_FALSE(second.path().empty());
  ASSERT_EQ(runArtwork(quoted(first.path())), 0);
  ASSERT_EQ(
      runArtwork("--sheet " + quoted(second.path() / "sheet.png") + " " + quoted(second.path())),
      0);

  for (unsigned id : ZelImageId::kAll) {
    SCOPED_TRACE(id);
    const fs::path a = fileFor(first.path(), id), b = fileFor(second.path(), id);
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    const std::vector<unsigned char> bytesA = zeltest::readFile(a.string());
    EXPECT_FALSE(bytesA.empty());
    EXPECT_EQ(bytesA, zeltest::readFile(b.string()));

    unsigned int size = 0;
    const unsigned char* embedded = getZelBinaryData(id, size);
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(bytesA, std::vector<unsigned char>(embedded, embedded + size));
  }

  const std::vector<unsigned char> sheet =
      zeltest::readFile((second.path() / "sheet.png").string());
  const zeltest::PngImage decoded(sheet.data(), sheet.size());
  ASSERT_TRUE(decoded.ok());
  EXPECT_GT(decoded.width(), 811);
  EXPECT_GT(decoded.height(), 286);
}

TEST(ArtworkProgram, RefusesMissingArguments) {
  EXPECT_NE(runArtwork(""), 0);
  EXPECT_NE(runArtwork("--bogus somewhere"), 0);
}

}  // namespace
