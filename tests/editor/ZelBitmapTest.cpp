// Bitmaps made from the embedded images by id, and the fallback for unknown ids.
#include <gtest/gtest.h>

#include "CZelBitmap.h"
#include "IPlatformBitmap.h"
#include "ZelImageCache.h"
#include "ZelImageIds.h"

namespace {

TEST(ZelBitmap, SizesComeFromTheDecodedImages) {
  struct Expected {
    int id;
    int width, height;
  } cases[] = {{15000, 104, 20072}, {15018, 62, 161}, {12102, 811, 286},
               {15022, 145, 145},   {19997, 31, 70},  {989, 12, 45}};
  for (const Expected& e : cases) {
    CZelBitmap* bitmap = new CZelBitmap(e.id);
    EXPECT_TRUE(bitmap->isLoaded()) << e.id;
    EXPECT_EQ(bitmap->getWidth(), e.width) << e.id;
    EXPECT_EQ(bitmap->getHeight(), e.height) << e.id;
    EXPECT_EQ(bitmap->getResourceDescription().id, e.id);
    bitmap->forget();
  }
}

TEST(ZelBitmap, SizeIsKnownBeforeDecodingAndEveryImageDecodesToIt) {
  for (unsigned id : ZelImageId::kAll) {
    CZelBitmap* bitmap = new CZelBitmap(static_cast<int>(id));
    const CPoint header(bitmap->getWidth(), bitmap->getHeight());
    EXPECT_EQ(getZelImageUsers(id), 0) << "the size comes from the PNG header";
    ASSERT_TRUE(bitmap->isLoaded()) << id;
    EXPECT_EQ(bitmap->getPlatformBitmap()->getSize(), header) << id;
    bitmap->forget();
  }
}

TEST(ZelBitmap, UnknownIdsGiveAnEmpty400By350Picture) {
  for (int id : {0, 990, 12128, 15001, 20000, -1}) {
    CZelBitmap* bitmap = new CZelBitmap(id);
    ASSERT_TRUE(bitmap->isLoaded()) << id;
    EXPECT_EQ(bitmap->getWidth(), 400);
    EXPECT_EQ(bitmap->getHeight(), 350);
    CColor pixel;
    ASSERT_TRUE(bitmap->getPlatformBitmap()->getPixel(200, 100, pixel));
    EXPECT_EQ(pixel.alpha, 0);  // drawing it shows nothing
    bitmap->forget();
  }
}

}  // namespace
