// The image store: every id answers with a complete RGBA PNG of its listed size and frame
// layout; other ids answer with nothing.
#include "PngImage.h"
#include "ZelBinaryData.h"
#include "ZelImageIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using zeltest::PngImage;

struct Expected {
  unsigned id;
  int width, height, frames;
  double frameHeight;
};

// Sizes and frame layouts that the editor's controls are built from.
constexpr Expected kExpected[] = {
    {989, 12, 45, 3, 15},          {12102, 811, 286, 1, 286},     {12200, 811, 286, 1, 286},
    {15000, 104, 20072, 193, 104}, {15002, 104, 20072, 193, 104}, {15004, 50, 4850, 97, 50},
    {15006, 50, 4850, 97, 50},     {15008, 50, 4850, 97, 50},     {15010, 50, 4850, 97, 50},
    {15012, 50, 4850, 97, 50},     {15014, 57, 214, 2, 107},      {15016, 73, 198, 3, 66},
    {15018, 62, 161, 2, 80.5},     {15020, 145, 145, 1, 145},     {15022, 145, 145, 1, 145},
    {15024, 145, 145, 1, 145},     {15030, 67, 48, 2, 24},        {15032, 55, 48, 2, 24},
    {19989, 42, 45, 3, 15},        {19990, 36, 45, 3, 15},        {19991, 12, 42, 3, 14},
    {19992, 12, 42, 3, 14},        {19993, 12, 42, 3, 14},        {19994, 12, 42, 3, 14},
    {19995, 12, 42, 3, 14},        {19996, 12, 42, 3, 14},        {19997, 31, 70, 5, 14},
    {19998, 12, 42, 3, 14},        {19999, 12, 42, 3, 14},
};

std::uint32_t bigEndian(const unsigned char* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

TEST(ImageStore, HoldsExactlyTheListedIds) {
  ASSERT_EQ(std::size(ZelImageId::kAll), std::size(kExpected));
  for (std::size_t i = 0; i < std::size(kExpected); ++i)
    EXPECT_EQ(ZelImageId::kAll[i], kExpected[i].id);
}

TEST(ImageStore, EveryIdYieldsAnRgbaPngOfItsSizeAndFrameLayout) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.id);
    unsigned int size = 0;
    const unsigned char* data = getZelBinaryData(e.id, size);
    ASSERT_NE(data, nullptr);
    ASSERT_GT(size, 33u);

    // Signature, then IHDR: 8 bits per channel, colour type 6 (RGBA).
    EXPECT_EQ(std::memcmp(data, "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_EQ(std::memcmp(data + 12, "IHDR", 4), 0);
    EXPECT_EQ(bigEndian(data + 16), static_cast<std::uint32_t>(e.width));
    EXPECT_EQ(bigEndian(data + 20), static_cast<std::uint32_t>(e.height));
    EXPECT_EQ(data[24], 8);
    EXPECT_EQ(data[25], 6);

    // The chunks run exactly to the end of the resource, closed by IEND.
    std::size_t at = 8;
    std::string last;
    while (at + 12 <= size) {
      last.assign(reinterpret_cast<const char*>(data + at + 4), 4);
      at += 12 + bigEndian(data + at);
    }
    EXPECT_EQ(at, size);
    EXPECT_EQ(last, "IEND");

    const PngImage image(data, size);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image.width(), e.width);
    EXPECT_EQ(image.height(), e.height);
    EXPECT_DOUBLE_EQ(e.frameHeight * e.frames, image.height());
  }
}

TEST(ImageStore, UnknownIdsYieldNothing) {
  // 12128 is asked for by the preset bar but is deliberately not stored.
  for (unsigned id : {0u, 1u, 988u, 990u, 12128u, 15001u, 15026u, 19988u, 20000u, 0xffffffffu}) {
    SCOPED_TRACE(id);
    unsigned int size = 12345;
    EXPECT_EQ(getZelBinaryData(id, size), nullptr);
    EXPECT_EQ(size, 0u);
  }
}

TEST(ImageStore, RepeatedLookupsGiveTheSameBytes) {
  unsigned int a = 0, b = 0;
  EXPECT_EQ(getZelBinaryData(ZelImageId::kPanel, a), getZelBinaryData(ZelImageId::kPanel, b));
  EXPECT_EQ(a, b);
}

// Opaque where the editor relies on it, transparent where the panel must show through.
TEST(ImageStore, AlphaWhereItMatters) {
  for (unsigned id : {ZelImageId::kPanel, ZelImageId::kAboutPicture, ZelImageId::kMeterFace,
                      ZelImageId::kMeterFaceBypassed}) {
    SCOPED_TRACE(id);
    const auto image = zeltest::loadStored(id);
    for (int y = 0; y < image->height(); ++y)
      for (int x = 0; x < image->width(); ++x)
        ASSERT_EQ(image->alpha(x, y), 255u) << "at " << x << "," << y;
  }

  // Every knob frame: clear corners, solid middle.
  for (unsigned id : {ZelImageId::kThresholdKnob, ZelImageId::kBlendKnob}) {
    SCOPED_TRACE(id);
    const auto image = zeltest::loadStored(id);
    const int size = image->width();
    for (int top = 0; top < image->height(); top += size) {
      EXPECT_EQ(image->alpha(0, top), 0u);
      EXPECT_EQ(image->alpha(size - 1, top), 0u);
      EXPECT_EQ(image->alpha(0, top + size - 1), 0u);
      EXPECT_EQ(image->alpha(size - 1, top + size - 1), 0u);
      EXPECT_EQ(image->alpha(size / 2, top + size / 2), 255u);
    }
  }

  // The cover is clear over the middle of the scale, solid on its bezel.
  const auto cover = zeltest::loadStored(ZelImageId::kMeterCover);
  EXPECT_LT(cover->alpha(72, 60), 80u);
  EXPECT_EQ(cover->alpha(72, 5), 255u);
  EXPECT_EQ(cover->alpha(0, 0), 0u);

  // Buttons and switches leave their corners to the panel.
  for (unsigned id : {ZelImageId::kPowerButton, ZelImageId::kLinkButton, ZelImageId::kChannelSwitch,
                      ZelImageId::kBlendButton, ZelImageId::kScHpfButton}) {
    SCOPED_TRACE(id);
    const auto image = zeltest::loadStored(id);
    EXPECT_EQ(image->alpha(0, 0), 0u);
    EXPECT_EQ(image->alpha(image->width() - 1, image->height() - 1), 0u);
  }
}

}  // namespace
