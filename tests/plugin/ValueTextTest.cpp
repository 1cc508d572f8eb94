// Value-to-text conversions for the host's display and the editor's read-outs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "ValueText.h"

namespace {

std::string f2s(float value, int decimals) {
  char text[16];
  std::memset(text, 'x', sizeof(text));
  float2string2(value, decimals, text);
  EXPECT_EQ(text[9], 'x') << "wrote past the 9-byte budget";
  return text;
}

TEST(ValueText, Float2String2Examples) {
  EXPECT_EQ(f2s(4.0f, 1), "4.0");
  EXPECT_EQ(f2s(1000.0f, 0), "1000");
  EXPECT_EQ(f2s(-12.0f, 1), "-12.0");
  EXPECT_EQ(f2s(0.1f, 1), "0.1");
  EXPECT_EQ(f2s(2.56f, 1), "2.6");
  EXPECT_EQ(f2s(-2.56f, 1), "-2.6");
  EXPECT_EQ(f2s(2.5f, 0), "3");
  EXPECT_EQ(f2s(0.0f, 1), "0.0");
  EXPECT_EQ(f2s(-0.75f, 0), "-1");
  EXPECT_EQ(f2s(1.15f, 1), "1.2");
  EXPECT_EQ(f2s(22.36f, 1), "22.4");
  EXPECT_EQ(f2s(-6.0f, 1), "-6.0");
  EXPECT_EQ(f2s(0.04f, 1), "0.0");
}

TEST(ValueText, Float2String2FillsTheBudgetAndSaysHuge) {
  EXPECT_EQ(f2s(1234567.0f, 0), "1234567.");
  EXPECT_EQ(f2s(9999999.0f, 0), "9999999.");
  EXPECT_EQ(f2s(-123456.0f, 0), "-123456.");
  EXPECT_EQ(f2s(100000000.0f, 0), "Huge!");
  EXPECT_EQ(f2s(-10000000.0f, 1), "Huge!");
  EXPECT_EQ(f2s(INFINITY, 1), "Huge!");
  EXPECT_EQ(f2s(std::nanf(""), 1), "Huge!");
  // Eight integer digits (seven and a sign) are all shown rather than cut.
  EXPECT_EQ(f2s(12345678.0f, 0), "12345678");
  EXPECT_EQ(f2s(-1234567.0f, 0), "-1234567");
  EXPECT_EQ(f2s(12.345678f, -1).size(), 8u);
}

TEST(ValueText, ReadOutProcedures) {
  char text[kValueTextSize];
  EXPECT_TRUE(direct1StringConvert(22.36f, text, nullptr));
  EXPECT_STREQ(text, "22.4");
  intStringConvert(1000.0f, text, nullptr);
  EXPECT_STREQ(text, "1000");
  intStringConvert(99.6f, text, nullptr);
  EXPECT_STREQ(text, "100");
  ratioStringConvert(16.0f, text, nullptr);
  EXPECT_STREQ(text, "16.0:1");
  ratioStringConvert(4.0f, text, nullptr);
  EXPECT_STREQ(text, "4.0:1");

  const struct {
    float value;
    const char* text;
  } fract[] = {{-0.04f, "0.0"}, {0.04f, "0.0"},    {0.05f, "+0.1"}, {-0.05f, "-0.1"},
               {3.5f, "+3.5"},  {-12.0f, "-12.0"}, {36.0f, "+36.0"}};
  for (const auto& c : fract) {
    fract1StringConvert(c.value, text, nullptr);
    EXPECT_STREQ(text, c.text) << c.value;
  }
  direct1StringConvert(3.0e38f, text, nullptr);
  EXPECT_LT(std::strlen(text), static_cast<size_t>(kValueTextSize));
}

}  // namespace
