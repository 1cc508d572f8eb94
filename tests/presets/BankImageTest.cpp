// Bank images: written and read back, byte-reversed, clamped, and malformed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BankImage.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

struct Image {
  std::vector<char> bytes;
  newpresetheader header() const {
    newpresetheader h;
    std::memcpy(&h, bytes.data(), sizeof(h));
    return h;
  }
  const char* records() const { return bytes.data() + sizeof(newpresetheader); }
  size_t recordBytes() const { return bytes.size() - sizeof(newpresetheader); }
};

Image bankOf(ZelFETcomp& effect) {
  char* raw = nullptr;
  const int length = BankToBuffer(effect, &raw);
  Image image;
  image.bytes.assign(raw, raw + length);
  delete[] raw;
  return image;
}

std::string nameOf(ZelFETcomp& effect, int preset) {
  char text[32] = {};
  effect.getProgramNameIndexed(0, preset, text);
  return text;
}

// Reverses every 32-bit word of the record stream, as a big-endian writer would have written it.
void reverseRecords(Image& image) {
  char* p = image.bytes.data() + sizeof(newpresetheader);
  char* end = image.bytes.data() + image.bytes.size();
  while (p < end) {
    int32_t type, length;
    std::memcpy(&type, p, 4);
    std::memcpy(&length, p + 4, 4);
    const int words = type == 1 ? 8 : 3;  // parameter records: head, slot, value (and zeros)
    for (int w = 0; w < words; ++w) {
      uint32_t v;
      std::memcpy(&v, p + 4 * w, 4);
      v = mySwapBytes(v);
      std::memcpy(p + 4 * w, &v, 4);
    }
    p += 12 + length;
  }
}

TEST(BankImage, LayoutAndRoundTrip) {
  ZelFETcomp source(&host, &makeZelEditorObject);
  source.setPresetNo(9);
  source.setParameter(kRatio, 0.3f);
  char name[] = "Round Trip";
  source.setProgramName(name);
  Image image = bankOf(source);
  ASSERT_EQ(image.bytes.size(), 26537u);
  const newpresetheader h = image.header();
  // Packed fields are copied before comparing: they are not aligned.
  const int32_t id = h.uniqueID, version = h.version, slots = h.numParamSlots,
                records = h.recordCount, selected = h.selectedPreset, payload = h.payloadSize;
  const char kind = h.kind;
  EXPECT_EQ(id, 0x4B765264);
  EXPECT_EQ(kind, 0x38);
  EXPECT_EQ(version, 0x01000000);
  EXPECT_EQ(slots, 16);
  EXPECT_EQ(records, 624);
  EXPECT_EQ(selected, 9);
  EXPECT_EQ(payload, 26496);

  ZelFETcomp target(&host, &makeZelEditorObject);
  ASSERT_TRUE(BufferToBank(target, image.records(), image.recordBytes(), h, false));
  EXPECT_EQ(target.getPresetNo(), 9);
  for (int p = 0; p < 48; ++p) {
    ASSERT_EQ(nameOf(target, p), nameOf(source, p));
    for (int s = 0; s < 16; ++s)
      if (!target.isDummy(s)) {
        ASSERT_EQ(target.presetValue(p, s), source.presetValue(p, s));
      }
  }
  EXPECT_FLOAT_EQ(target.getParameter(kRatio), 0.3f);
}

TEST(BankImage, ByteReversedImageReadsTheSame) {
  ZelFETcomp source(&host, &makeZelEditorObject);
  source.setPresetNo(4);
  Image image = bankOf(source);
  newpresetheader h = image.header();
  byteSwapHeader(&h);
  byteSwapHeader(&h);  // twice is the identity
  const int32_t selected = h.selectedPreset;
  EXPECT_EQ(selected, 4);
  reverseRecords(image);

  ZelFETcomp target(&host, &makeZelEditorObject);
  target.setPresetNo(0);
  ASSERT_TRUE(BufferToBank(target, image.records(), image.recordBytes(), h, true));
  EXPECT_EQ(target.getPresetNo(), 4);
  EXPECT_EQ(nameOf(target, 4), "Vocal Fast");
  EXPECT_FLOAT_EQ(target.getParameter(kThreshold), 0.65625f);
}

TEST(BankImage, OutOfRangeValuesAreClampedAndForeignPresetsSkipped) {
  ZelFETcomp source(&host, &makeZelEditorObject);
  Image image = bankOf(source);
  // Second record is preset 0's first parameter record (slot 0); the third is slot 1.
  char* slot1 = image.bytes.data() + sizeof(newpresetheader) + 168 + 32;
  const float tooBig = 3.0f;
  std::memcpy(slot1 + 24, &tooBig, 4);
  char* slot2 = slot1 + 32;
  const int32_t foreign = 60;
  std::memcpy(slot2 + 8, &foreign, 4);
  const float marker = 0.125f;
  std::memcpy(slot2 + 24, &marker, 4);

  newpresetheader h = image.header();
  for (int32_t selected : {-1, 48}) {
    h.selectedPreset = selected;
    ZelFETcomp target(&host, &makeZelEditorObject);
    target.setPresetNo(7);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(BufferToBank(target, image.records(), image.recordBytes(), h, false));
    const std::string diagnostics = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(diagnostics.find("Invalid parameter 1 value 3.000000 on load of preset 0 Default"),
              std::string::npos)
        << diagnostics;
    EXPECT_EQ(target.getPresetNo(), 0);
    EXPECT_EQ(target.presetValue(0, 1), 1.0f);
    EXPECT_EQ(target.presetValue(0, 2), 0.5f);  // the preset-60 record was skipped
  }
}

TEST(BankImage, TruncatedOrCorruptImagesChangeNothing) {
  ZelFETcomp source(&host, &makeZelEditorObject);
  Image image = bankOf(source);
  const newpresetheader h = image.header();

  auto unchanged = [&](const char* records, size_t bytes, newpresetheader header) {
    ZelFETcomp target(&host, &makeZelEditorObject);
    target.setPresetNo(3);
    char name[] = "Mine";
    target.setProgramName(name);
    EXPECT_FALSE(BufferToBank(target, records, bytes, header, false));
    EXPECT_EQ(nameOf(target, 3), "Mine");
    EXPECT_EQ(target.getPresetNo(), 3);
  };
  unchanged(image.records(), image.recordBytes() - 1, h);  // last record cut short
  unchanged(image.records(), 5, h);                        // not even a record head
  newpresetheader negative = h;
  negative.recordCount = -1;
  unchanged(image.records(), image.recordBytes(), negative);
  newpresetheader tooMany = h;
  tooMany.recordCount = 100000;
  unchanged(image.records(), image.recordBytes(), tooMany);

  Image backwards = image;
  const int32_t minus = -12;
  std::memcpy(backwards.bytes.data() + sizeof(newpresetheader) + 168 + 4, &minus, 4);
  unchanged(backwards.records(), backwards.recordBytes(), h);
  Image huge = image;
  const int32_t big = 0x7FFFFFF0;
  std::memcpy(huge.bytes.data() + sizeof(newpresetheader) + 4, &big, 4);
  unchanged(huge.records(), huge.recordBytes(), h);
}

}  // namespace
