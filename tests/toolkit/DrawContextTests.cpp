// Drawing context and bitmaps: pie angles, clipping, PNG decoding, film-strip offsets, text.
#include "ToolkitTestSupport.h"

namespace {

const CColor kRed(255, 0, 0), kBlue(0, 0, 255);

// A 100 x 100 image with a context on it.
class Canvas {
 public:
  Canvas() : image(IPlatformBitmap::create(CPoint(100, 100))), context(image->createDrawContext()) {}
  ~Canvas() {
    context->forget();
    image->forget();
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  CColor at(int x, int y) const {
    CColor c;
    EXPECT_TRUE(image->getPixel(x, y, c));
    return c;
  }
  IPlatformBitmap* image;
  CDrawContext* context;
};

TEST(DrawContext, ArcAnglesStartUpAndTurnCounterClockwise) {
  struct Case {
    float start, end;
    int qx, qy;  // a point inside the quadrant expected filled (centre 50, 50)
  };
  // 0..90: from up to left = upper left; 90..180: lower left; 180..270: lower right;
  // -90..0 (270..360): upper right.
  const Case cases[] = {{0, 90, 30, 30}, {90, 180, 30, 70}, {180, 270, 70, 70}, {-90, 0, 70, 30}};
  const int quadrants[4][2] = {{30, 30}, {30, 70}, {70, 70}, {70, 30}};
  for (const Case& c : cases) {
    Canvas canvas;
    canvas.context->setFillColor(kRed);
    canvas.context->drawArc(CRect(10, 10, 90, 90), c.start, c.end, true);
    for (const auto& q : quadrants) {
      bool expected = q[0] == c.qx && q[1] == c.qy;
      EXPECT_EQ(canvas.at(q[0], q[1]).alpha, expected ? 255 : 0)
          << "arc " << c.start << ".." << c.end << " at " << q[0] << "," << q[1];
    }
  }
}

TEST(DrawContext, EmptyArcDrawsNothingAndOutlineIsNotFilled) {
  Canvas canvas;
  canvas.context->setFillColor(kRed);
  canvas.context->drawArc(CRect(10, 10, 90, 90), 30, 30, true);
  EXPECT_EQ(canvas.at(50, 30).alpha, 0);
  canvas.context->setFrameColor(kBlue);
  canvas.context->drawArc(CRect(10, 10, 90, 90), 0, 90, false);
  EXPECT_EQ(canvas.at(30, 30).alpha, 0) << "inside of an outline";
  EXPECT_GT(canvas.at(50, 30).alpha, 0) << "the radius going up is stroked";
}

TEST(DrawContext, ClipRectLimitsDrawingAndIsCutToTheSurface) {
  Canvas canvas;
  canvas.context->setClipRect(CRect(-50, 20, 40, 200));
  CRect clip;
  canvas.context->getClipRect(clip);
  EXPECT_EQ(clip, CRect(0, 20, 40, 100));
  canvas.context->setFillColor(kRed);
  canvas.context->fillRect(CRect(0, 0, 100, 100));
  EXPECT_EQ(canvas.at(10, 30), kRed);
  EXPECT_EQ(canvas.at(10, 10).alpha, 0);
  EXPECT_EQ(canvas.at(50, 30).alpha, 0);
  canvas.context->resetClipRect();
  canvas.context->fillRect(CRect(0, 0, 100, 100));
  EXPECT_EQ(canvas.at(50, 30), kRed);
}

TEST(DrawContext, LinesUseFrameColourAndWidth) {
  Canvas canvas;
  canvas.context->setFrameColor(kBlue);
  canvas.context->setDrawMode(kAliasing);
  canvas.context->setLineWidth(3);
  canvas.context->moveTo(CPoint(10, 50));
  canvas.context->lineTo(CPoint(90, 50));
  EXPECT_EQ(canvas.context->getPenPosition(), CPoint(90, 50));
  EXPECT_EQ(canvas.at(50, 49), kBlue);
  EXPECT_EQ(canvas.at(50, 51), kBlue);
  EXPECT_EQ(canvas.at(50, 53).alpha, 0);
}

TEST(DrawContext, TextIsDrawnInFontColourAndBadUtf8DoesNotBreakTheContext) {
  Canvas canvas;
  canvas.context->setFont(kNormalFont, 14);
  EXPECT_EQ(canvas.context->getFont().getSize(), 14);
  EXPECT_STREQ(canvas.context->getFont().getName(), "Arial");
  canvas.context->setFontColor(kBlue);
  // "\xE9t\xE9" is Latin-1, not UTF-8: drawn as Latin-1 instead of putting cairo in error.
  canvas.context->drawString("\xE9t\xE9 W", CRect(0, 0, 100, 30), kLeftText, false);
  int inked = 0;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 30; ++y) inked += canvas.at(x, y) == kBlue;
  EXPECT_GT(inked, 20);
  canvas.context->setFillColor(kRed);
  canvas.context->fillRect(CRect(0, 50, 10, 60));
  EXPECT_EQ(canvas.at(5, 55), kRed) << "context still usable";
  EXPECT_GT(canvas.context->getStringWidth("WWW"), canvas.context->getStringWidth("iii"));
}

TEST(DrawContext, ArialResolvesToLiberationSans) {
  Canvas canvas;
  const char* sample = "Threshold -12.5 dB Wij";
  canvas.context->setFont(kNormalFont);
  CCoord arial = canvas.context->getStringWidth(sample);
  CFontDesc liberation("Liberation Sans", 12);
  canvas.context->setFont(&liberation);
  EXPECT_EQ(arial, canvas.context->getStringWidth(sample));
  CFontDesc mono("Liberation Mono", 12);
  canvas.context->setFont(&mono);
  EXPECT_NE(arial, canvas.context->getStringWidth(sample)) << "the comparison can tell fonts apart";
  EXPECT_EQ(kNormalFontSmall->getSize(), 11);
}

TEST(DrawContext, CentredTextIsCentredAndCutToItsRectangle) {
  Canvas canvas;
  canvas.context->setFont(kNormalFont);
  canvas.context->setFontColor(kBlue);
  canvas.context->drawString("MMMMMMMMMMMMMMMMMMMMMMMM", CRect(40, 40, 60, 60), kCenterText, false);
  int left = 0, right = 0, outside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      if (canvas.at(x, y).alpha == 0) continue;
      bool in = x >= 40 && x < 60 && y >= 40 && y < 60;
      outside += !in;
      (x < 50 ? left : right) += in;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
}

TEST(Bitmap, DecodesPngBytesAndRejectsGarbage) {
  auto png = makePng(7, 5, [](CDrawContext* c) {
    c->setFillColor(CColor(10, 200, 30));
    c->fillRect(CRect(0, 0, 7, 5));
  });
  IPlatformBitmap* image = IPlatformBitmap::createFromMemory(png.data(), static_cast<uint32_t>(png.size()));
  ASSERT_NE(image, nullptr);
  CBitmap bitmapOnStack(image);  // never forgotten: only for the size checks below
  image->forget();
  EXPECT_EQ(bitmapOnStack.getWidth(), 7);
  EXPECT_EQ(bitmapOnStack.getHeight(), 5);
  CColor c;
  ASSERT_TRUE(bitmapOnStack.getPlatformBitmap()->getPixel(3, 3, c));
  EXPECT_EQ(c, CColor(10, 200, 30));

  EXPECT_EQ(IPlatformBitmap::createFromMemory(png.data(), 20), nullptr) << "truncated";
  const char junk[] = "not a png at all";
  EXPECT_EQ(IPlatformBitmap::createFromMemory(junk, sizeof junk), nullptr);
  EXPECT_EQ(IPlatformBitmap::createFromMemory(nullptr, 100), nullptr);
}

TEST(Bitmap, EmptyBitmapHasItsSizeAndIsTransparent) {
  auto* bitmap = new CBitmap(400, 350);
  EXPECT_EQ(bitmap->getWidth(), 400);
  EXPECT_EQ(bitmap->getHeight(), 350);
  CColor c;
  ASSERT_TRUE(bitmap->getPlatformBitmap()->getPixel(200, 100, c));
  EXPECT_EQ(c.alpha, 0);
  bitmap->forget();

  // A resource bitmap starts without an image, as a derived class fills it in.
  CBitmap resource(CResourceDescription(12102));
  EXPECT_EQ(resource.getResourceDescription().type, CResourceDescription::kIntegerType);
  EXPECT_EQ(resource.getResourceDescription().id, 12102);
  EXPECT_FALSE(resource.isLoaded());
  EXPECT_EQ(resource.getWidth(), 0);
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(3, 2));
  resource.setPlatformBitmap(image);
  EXPECT_EQ(image->getNbReference(), 2);
  image->forget();
  EXPECT_EQ(resource.getHeight(), 2);
  resource.setPlatformBitmap(nullptr);
}

TEST(Bitmap, DrawsTheFrameAtTheOffsetClippedToTheRectangle) {
  CBitmap* strip = makeFilmStrip(10, 8, 4);  // frame i grey 10 * (i + 1)
  Canvas canvas;
  strip->draw(canvas.context, CRect(20, 20, 30, 28), CPoint(0, 2 * 8));
  EXPECT_EQ(canvas.at(25, 20), CColor(30, 30, 30));
  EXPECT_EQ(canvas.at(25, 27), CColor(30, 30, 30));
  EXPECT_EQ(canvas.at(25, 28).alpha, 0) << "next frame stays outside";
  EXPECT_EQ(canvas.at(25, 19).alpha, 0);
  // Half opacity.
  strip->draw(canvas.context, CRect(50, 50, 60, 58), CPoint(0, 0), 0.5f);
  EXPECT_NEAR(canvas.at(55, 55).alpha, 128, 1);
  strip->forget();
}

}  // namespace
