// Hostile images through every reader: cut at every length, damaged counts, body lengths,
// identifiers and kind bytes. Nothing crashes, and a rejected image changes nothing.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "ImageLoader.h"
#include "PresetTestSupport.h"

using namespace presettest;

namespace {

struct Fixture {
  std::unique_ptr<ZelFETcomp> effect = makeEffect();
  TableSnapshot before;
  Fixture() {
    effect->setPresetNo(9);
    before = snapshot(*effect);
  }
  // Loads bytes as a file and as a preference value; a load that fails must change nothing.
  void check(const std::vector<char>& bytes, size_t length) {
    for (bool fromFile : {true, false}) {
      const ImageLoadResult r =
          loadImageOfAnyOrder(*effect, bytes.data(), length, ImageKinds::any, false, fromFile);
      if (r == ImageLoadResult::presetLoaded || r == ImageLoadResult::bankLoaded) {
        effect = makeEffect();  // start the next case from a known table
        effect->setPresetNo(9);
      } else {
        ASSERT_EQ(snapshot(*effect), before) << "length " << length;
      }
    }
  }
};

void putWord(std::vector<char>& image, size_t at, int32_t v) { std::memcpy(&image[at], &v, 4); }

TEST(MalformedImage, EveryTruncationOfEveryKind) {
  const PresetValues p = samplePreset(1);
  const std::vector<std::vector<char>> images = {
      presetImage(p, false), presetImage(p, true), bankImage(sampleBank(), 3, false),
      oldPresetFile(p, 16, true), oldBankFile(sampleBank(), 16, false)};
  Fixture f;
  for (const auto& image : images) {
    // Bank images are long: every length near the ends of records, a stride elsewhere.
    for (size_t length = 0; length < image.size(); ++length) {
      if (image.size() > 4000 && length > 700 && length < image.size() - 700 && length % 61 != 0)
        continue;
      f.check(image, length);
      // Cut images must not load (old files have no counts to contradict, so they may).
      if (image[4] == 0x22 || image[4] == 0x38) {
        const ImageLoadResult r =
            loadImageOfAnyOrder(*f.effect, image.data(), length, ImageKinds::any, false, false);
        EXPECT_TRUE(r == ImageLoadResult::rejected || r == ImageLoadResult::notAnImage) << length;
      }
    }
  }
}

TEST(MalformedImage, DamagedCountsAndBodyLengthsAreRejected) {
  const std::vector<char> preset = presetImage(samplePreset(2), false);
  const std::vector<char> bank = bankImage(sampleBank(), 0, false);
  struct Damage {
    const char* what;
    size_t offset;
    int32_t value;
  };
  const Damage damages[] = {
      {"negative record count", 13, -1},
      {"huge record count", 13, INT_MAX},
      {"one record more than present", 13, 0},  // 0: the image's own count + 1
      {"negative payload size", 21, -5},
      {"negative body length", 41 + 4, -12},
      {"huge body length", 41 + 4, 0x7FFFFFF0},
      {"body length past the end", 41 + 168 + 4, 100000},
      {"name body too short for a name", 41 + 4, 20},
      {"parameter body too short for a value", 41 + 168 + 4, 8},
  };
  for (const auto* image : {&preset, &bank}) {
    for (const Damage& d : damages) {
      SCOPED_TRACE(d.what);
      std::vector<char> damaged = *image;
      int32_t count;
      std::memcpy(&count, &damaged[13], 4);
      putWord(damaged, d.offset, d.value != 0 ? d.value : count + 1);
      Fixture f;
      const ImageLoadResult r = loadImageOfAnyOrder(*f.effect, damaged.data(), damaged.size(),
                                                    ImageKinds::any, false, true);
      EXPECT_EQ(r, ImageLoadResult::rejected);
      EXPECT_EQ(snapshot(*f.effect), f.before);
    }
  }
}

TEST(MalformedImage, ForeignIdentifiersAndKindBytesLoadNothing) {
  std::vector<char> image = presetImage(samplePreset(3), false);
  Fixture f;
  for (int32_t id : {0, 0x4B765265, 0x64527600, static_cast<int32_t>(0xFFFFFFFF)}) {
    putWord(image, 0, id);
    EXPECT_EQ(
        loadImageOfAnyOrder(*f.effect, image.data(), image.size(), ImageKinds::any, false, true),
        ImageLoadResult::notAnImage);
  }
  putWord(image, 0, kUniqueId);
  for (int kind = 0; kind < 256; ++kind) {
    image[4] = static_cast<char>(kind);
    f.check(image, image.size());
  }
  EXPECT_EQ(snapshot(*f.effect), f.before);
}

TEST(MalformedImage, CallersBytesAreNeverWritten) {
  for (bool big : {false, true}) {
    const std::vector<char> image = bankImage(sampleBank(), 2, big);
    std::vector<char> copy = image;
    Fixture f;
    loadImageOfAnyOrder(*f.effect, copy.data(), copy.size(), ImageKinds::any, false, true);
    EXPECT_EQ(copy, image);
  }
}

}  // namespace
