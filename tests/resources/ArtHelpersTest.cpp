// The artwork program's own encoders: PNG files and the assembler file that embeds them.
#include "AsmWriter.h"
#include "Canvas.h"
#include "PngImage.h"
#include "PngWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PngWriter, KeepsPremultipliedPixelsThroughARoundTrip) {
  zelart::Image image(4, 3);
  image.beginPixels();
  const std::uint32_t pixels[3][4] = {
      {zelart::packPixel(1, 0, 0, 1), zelart::packPixel(0, 1, 0, 0.5),
       zelart::packPixel(0, 0, 1, 0.2), 0},
      {zelart::packPixel(0.3, 0.6, 0.9, 1), zelart::packPixel(1, 1, 1, 0.01),
       zelart::packPixel(0.5, 0.5, 0.5, 0.75), 0},
      {0xff000000u, 0xffffffffu, zelart::packPixel(0.2, 0.4, 0.6, 0.33),
       zelart::packPixel(1, 0.5, 0, 0.9)},
  };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) image.row(y)[x] = pixels[y][x];
  image.endPixels();

  const std::vector<unsigned char> png = zelart::encodePng(image);
  const zeltest::PngImage decoded(png.data(), png.size());
  ASSERT_TRUE(decoded.ok());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      for (int shift = 0; shift < 32; shift += 8) {
        const int want = static_cast<int>((pixels[y][x] >> shift) & 0xff);
        const int got = static_cast<int>((decoded.pixel(x, y) >> shift) & 0xff);
        EXPECT_NEAR(got, want, 1) << "pixel " << x << "," << y << " channel " << shift / 8;
      }
}

TEST(PngWriter, WritesRgbaEvenForOpaqueImages) {
  // cairo's own writer drops the alpha channel of opaque images; the store needs RGBA.
  zelart::Image image(5, 2);
  {
    zelart::Painter cr(image);
    cairo_set_source_rgb(cr, 0.2, 0.3, 0.4);
    cairo_paint(cr);
  }
  const std::vector<unsigned char> png = zelart::encodePng(image);
  ASSERT_GT(png.size(), 26u);
  EXPECT_EQ(png[24], 8);
  EXPECT_EQ(png[25], 6);
}

TEST(AsmWriter, SharesOneCopyBetweenIdsAndQuotesPaths) {
  const std::string s =
      zelart::assemblerFor({{{15004, 15006}, "/tmp/a \"b\"\\c.png"}, {{989}, "/x.png"}});

  // One copy, both ids around it, every symbol global but hidden.
  EXPECT_EQ(s.find(".incbin \"/tmp/a \\\"b\\\"\\\\c.png\"") != std::string::npos, true) << s;
  const std::size_t data = s.find(".incbin \"/tmp");
  for (const char* label : {"zel_image_15004_begin:", "zel_image_15006_begin:"})
    EXPECT_LT(s.find(label), data) << label;
  for (const char* label : {"zel_image_15004_end:", "zel_image_15006_end:"}) {
    EXPECT_GT(s.find(label), data) << label;
    EXPECT_LT(s.find(label), s.find(".incbin \"/x.png\"")) << label;
  }
  for (const char* symbol : {"zel_image_15004_begin", "zel_image_15006_end", "zel_image_989_end"})
    EXPECT_NE(s.find(std::string(".hidden ") + symbol + "\n"), std::string::npos) << symbol;

  // Read-only data, and a stack that is not executable.
  EXPECT_NE(s.find(".section .rodata"), std::string::npos);
  EXPECT_NE(s.rfind(".section .note.GNU-stack,\"\",@progbits\n"), std::string::npos);
  EXPECT_GT(s.rfind(".note.GNU-stack"), s.rfind(".incbin"));
}

}  // namespace
