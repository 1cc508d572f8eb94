// Drawing context and bitmaps: pie angles, text, PNG decoding, film strips.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "ToolkitTestSupport.h"

namespace {

const CColor kRed(255, 0, 0), kBlue(0, 0, 255);

// A 100 x 100 transparent image with a context on it.
struct Canvas {
  ~Canvas() {
    context->forget();
    image->forget();
  }
  CColor at(int x, int y) const {
    CColor c;
    EXPECT_TRUE(image->getPixel(x, y, c));
    return c;
  }
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(100, 100));
  CDrawContext* context = image->createDrawContext();
};

TEST(DrawContext, ArcAnglesStartUpAndTurnCounterClockwise) {
  // Points inside the upper left, lower left, lower right and upper right quadrants.
  const int quadrants[4][2] = {{30, 30}, {30, 70}, {70, 70}, {70, 30}};
  const struct {
    float start, end;
    int filled;  // index into quadrants
  } cases[] = {{0, 90, 0}, {90, 180, 1}, {180, 270, 2}, {-90, 0, 3}};
  for (const auto& c : cases) {
    Canvas canvas;
    canvas.context->setFillColor(kRed);
    canvas.context->drawArc(CRect(10, 10, 90, 90), c.start, c.end, true);
    for (int q = 0; q < 4; ++q)
      EXPECT_EQ(canvas.at(quadrants[q][0], quadrants[q][1]).alpha, q == c.filled ? 255 : 0)
          << "arc " << c.start << ".." << c.end << " quadrant " << q;
  }
  Canvas canvas;
  canvas.context->setFillColor(kRed);
  canvas.context->drawArc(CRect(10, 10, 90, 90), 30, 30, true);
  EXPECT_EQ(canvas.at(50, 30).alpha, 0) << "empty arc";
  canvas.context->setFrameColor(kBlue);
  canvas.context->drawArc(CRect(10, 10, 90, 90), 0, 90, false);
  EXPECT_EQ(canvas.at(30, 30).alpha, 0) << "inside of an outline";
  EXPECT_GT(canvas.at(50, 30).alpha, 0) << "the radius going up is stroked";
}

TEST(DrawContext, TextIsDrawnInFontColourCentredAndCutToItsRectangle) {
  Canvas canvas;
  canvas.context->setFont(kNormalFont);
  canvas.context->setFontColor(kBlue);
  // Starts with Latin-1, not UTF-8: drawn as Latin-1 instead of putting cairo in error.
  canvas.context->drawString("\xE9t\xE9MMMMMMMMMMMMMMMMMMMMMMMM", CRect(40, 40, 60, 60),
                             kCenterText, false);
  int left = 0, right = 0, outside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      if (canvas.at(x, y).alpha == 0) continue;
      bool in = x >= 40 && x < 60 && y >= 40 && y < 60;
      outside += !in;
      (x < 50 ? left : right) += in && canvas.at(x, y) == kBlue;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
  canvas.context->setFillColor(kRed);
  canvas.context->fillRect(CRect(0, 0, 10, 10));
  EXPECT_EQ(canvas.at(5, 5), kRed) << "context still usable";
  EXPECT_GT(canvas.context->getStringWidth("WWW"), canvas.context->getStringWidth("iii"));
}

TEST(DrawContext, ArialResolvesToLiberationSans) {
  Canvas canvas;
  const char* sample = "Threshold -12.5 dB Wij";
  canvas.context->setFont(kNormalFont);
  CCoord arial = canvas.context->getStringWidth(sample);
  CFontDesc liberation("Liberation Sans", 12), mono("Liberation Mono", 12);
  canvas.context->setFont(&liberation);
  EXPECT_EQ(arial, canvas.context->getStringWidth(sample));
  canvas.context->setFont(&mono);
  EXPECT_NE(arial, canvas.context->getStringWidth(sample)) << "the comparison can tell fonts apart";
}

TEST(Bitmap, DecodesPngBytesAndRejectsGarbage) {
  Canvas canvas;
  canvas.context->setFillColor(CColor(10, 200, 30));
  canvas.context->fillRect(CRect(0, 0, 7, 5));
  std::string path = ::testing::TempDir() + "toolkit_test_image.png";
  ASSERT_TRUE(canvas.image->writePNG(path.c_str()));
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> png((std::istreambuf_iterator<char>(in)), {});
  std::remove(path.c_str());

  IPlatformBitmap* image =
      IPlatformBitmap::createFromMemory(png.data(), static_cast<uint32_t>(png.size()));
  ASSERT_NE(image, nullptr);
  CBitmap bitmapOnStack(image);  // never forgotten: only for the checks below
  image->forget();
  EXPECT_EQ(bitmapOnStack.getWidth(), 100);
  EXPECT_EQ(bitmapOnStack.getHeight(), 100);
  CColor c;
  ASSERT_TRUE(bitmapOnStack.getPlatformBitmap()->getPixel(3, 3, c));
  EXPECT_EQ(c, CColor(10, 200, 30));
  ASSERT_TRUE(bitmapOnStack.getPlatformBitmap()->getPixel(50, 50, c));
  EXPECT_EQ(c.alpha, 0);

  EXPECT_EQ(IPlatformBitmap::createFromMemory(png.data(), 20), nullptr) << "truncated";
  const char junk[] = "not a png at all";
  EXPECT_EQ(IPlatformBitmap::createFromMemory(junk, sizeof junk), nullptr);
  EXPECT_EQ(IPlatformBitmap::createFromMemory(nullptr, 100), nullptr);
}

TEST(Bitmap, EmptyBitmapsHaveTheirSizeAndTakeAReferenceToTheirImage) {
  auto* bitmap = new CBitmap(400, 350);
  EXPECT_EQ(bitmap->getWidth(), 400);
  EXPECT_EQ(bitmap->getHeight(), 350);
  CColor c;
  ASSERT_TRUE(bitmap->getPlatformBitmap()->getPixel(200, 100, c));
  EXPECT_EQ(c.alpha, 0) << "transparent";
  bitmap->forget();

  // A resource bitmap starts without an image, as a derived class fills it in.
  CBitmap resource(CResourceDescription(12102));
  EXPECT_FALSE(resource.isLoaded());
  EXPECT_EQ(resource.getWidth(), 0);
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(3, 2));
  resource.setPlatformBitmap(image);
  EXPECT_EQ(image->getNbReference(), 2);
  image->forget();
  resource.setPlatformBitmap(nullptr);
}

TEST(Bitmap, DrawsTheFrameAtTheOffsetClippedToTheRectangle) {
  CBitmap* strip = makeFilmStrip(10, 8, 4);  // frame i grey 10 * (i + 1)
  Canvas canvas;
  strip->draw(canvas.context, CRect(20, 20, 30, 28), CPoint(0, 2 * 8));
  EXPECT_EQ(canvas.at(25, 20), grey(30));
  EXPECT_EQ(canvas.at(25, 27), grey(30));
  EXPECT_EQ(canvas.at(25, 28).alpha, 0) << "next frame stays outside";
  EXPECT_EQ(canvas.at(25, 19).alpha, 0);
  strip->draw(canvas.context, CRect(50, 50, 60, 58), CPoint(0, 0), 0.5f);
  EXPECT_NEAR(canvas.at(55, 55).alpha, 128, 1) << "half opacity";
  strip->forget();
}

}  // namespace
