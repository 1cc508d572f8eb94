// Film strips really move: knob frames turn evenly from the lower left to the lower
// right, switch frames differ, and the meter's dB marks sit where the needle points.
#include "PngImage.h"
#include "ZelBinaryData.h"
#include "ZelImageIds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

namespace {

using zeltest::PngImage;

std::unique_ptr<PngImage> load(unsigned id)
{
    unsigned int size = 0;
    const unsigned char* data = getZelBinaryData(id, size);
    return std::make_unique<PngImage>(data, size);
}

constexpr unsigned kKnobs[] = {ZelImageId::kThresholdKnob, ZelImageId::kMakeupKnob,
                               ZelImageId::kAttackKnob,    ZelImageId::kReleaseKnob,
                               ZelImageId::kScHpfKnob,     ZelImageId::kRatioKnob,
                               ZelImageId::kBlendKnob};

// For each frame, the direction (degrees clockwise from up) in which it differs from the
// average frame. Fixed parts cancel out; squaring the difference lets the pointer, the
// strongest change, outweigh fine detail such as knurling.
std::vector<double> pointerDirections(const PngImage& strip)
{
    const int size = strip.width(), frames = strip.height() / size;
    std::vector<double> mean(static_cast<std::size_t>(size * size), 0.0);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                mean[static_cast<std::size_t>(y * size + x)] += strip.luminance(x, f * size + y) / frames;
    std::vector<double> directions;
    const double c = size / 2.0;
    for (int f = 0; f < frames; ++f) {
        double sx = 0, sy = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double d = strip.luminance(x, f * size + y) - mean[static_cast<std::size_t>(y * size + x)];
                const double w = d * d;
                sx += w * (x + 0.5 - c);
                sy += w * (y + 0.5 - c);
            }
        directions.push_back(std::atan2(sx, -sy) * 180.0 / M_PI);
    }
    return directions;
}

TEST(KnobStrips, EveryFrameIsDifferentAndNeighboursAreClosest)
{
    for (unsigned id : kKnobs) {
        SCOPED_TRACE(id);
        const auto strip = load(id);
        const int size = strip->width(), frames = strip->height() / size;
        ASSERT_EQ(frames * size, strip->height());

        // No two frames alike (compared by their full pixel content).
        std::set<std::vector<std::uint32_t>> seen;
        for (int f = 0; f < frames; ++f) {
            std::vector<std::uint32_t> pixels;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    pixels.push_back(strip->pixel(x, f * size + y));
            EXPECT_TRUE(seen.insert(pixels).second) << "frame " << f << " repeats an earlier one";
        }

        // The ends of the travel are further apart than any two neighbouring frames.
        const double ends = zeltest::frameDistance(*strip, 0, *strip, (frames - 1) * size, size, size);
        for (int f = 0; f + 1 < frames; ++f) {
            const double step = zeltest::frameDistance(*strip, f * size, *strip, (f + 1) * size, size, size);
            EXPECT_GT(step, 0.0);
            EXPECT_LT(step, ends) << "frames " << f << " and " << f + 1;
        }
    }
}

TEST(KnobStrips, FrameKShowsValueKOverNMinusOne)
{
    for (unsigned id : {ZelImageId::kThresholdKnob, ZelImageId::kAttackKnob}) {
        SCOPED_TRACE(id);
        const auto strip = load(id);
        const std::vector<double> directions = pointerDirections(*strip);
        const int n = static_cast<int>(directions.size());
        // First frame at the lower left (minimum), last at the lower right (maximum),
        // evenly spaced in between over a 270 to 300 degree travel.
        EXPECT_LT(directions.front(), -130.0);
        EXPECT_GT(directions.back(), 130.0);
        const double travel = directions.back() - directions.front();
        EXPECT_GE(travel, 265.0);
        EXPECT_LE(travel, 305.0);
        for (int k = 0; k < n; ++k) {
            const double expected = directions.front() + travel * k / (n - 1);
            EXPECT_NEAR(directions[static_cast<std::size_t>(k)], expected, 4.0) << "frame " << k;
        }
    }
}

TEST(SwitchStrips, EveryFrameDiffers)
{
    for (unsigned id : {ZelImageId::kPowerButton, ZelImageId::kChannelSwitch, ZelImageId::kBlendButton,
                        ZelImageId::kScHpfButton, ZelImageId::kManualButton, ZelImageId::kDefaultBankButton,
                        ZelImageId::kDefaultPresetButton, ZelImageId::kSaveBankButton,
                        ZelImageId::kLoadPresetButton, ZelImageId::kStoreAButton, ZelImageId::kRecallBButton,
                        ZelImageId::kPresetRocker}) {
        SCOPED_TRACE(id);
        const auto strip = load(id);
        unsigned int size = 0;
        getZelBinaryData(id, size);
        int frames = 3;
        if (id == ZelImageId::kPowerButton || id == ZelImageId::kBlendButton || id == ZelImageId::kScHpfButton)
            frames = 2;
        if (id == ZelImageId::kPresetRocker)
            frames = 5;
        const int h = strip->height() / frames, w = strip->width();
        for (int a = 0; a < frames; ++a)
            for (int b = a + 1; b < frames; ++b)
                EXPECT_GT(zeltest::frameDistance(*strip, a * h, *strip, b * h, w, h), 0.0)
                    << "frames " << a << " and " << b;
    }
}

// The link strip's second frame starts half-way through row 80: its two halves differ.
TEST(SwitchStrips, LinkFramesOfEightyAndAHalfRowsDiffer)
{
    const auto strip = load(ZelImageId::kLinkButton);
    EXPECT_GT(zeltest::frameDistance(*strip, 0, *strip, 81, 62, 80), 0.0);
}

// On the working meter face, the labelled marks of 0, 1, 2, 3, 6, 10 and 20 dB of
// reduction lie where the needle points for the gain 10^(-dB/20).
TEST(MeterFace, MarksSitUnderTheNeedleForTheirGain)
{
    const auto face = load(ZelImageId::kMeterFace);
    const double cx = 463 - 392 + 0.5, cy = 143 - 34 + 0.5; // needle pivot in the picture
    const double radius = 69.5;                             // across the long, labelled marks
    for (double db : {0.0, -1.0, -2.0, -3.0, -6.0, -10.0, -20.0}) {
        SCOPED_TRACE(db);
        const double value = std::pow(10.0, db / 20.0);
        const double expected = -45.0 + 90.0 * value; // degrees clockwise from up
        double darkest = 1e9, at = 0;
        for (double deg = expected - 5; deg <= expected + 5; deg += 0.1) {
            const double a = deg * M_PI / 180.0;
            const int x = static_cast<int>(cx + radius * std::sin(a));
            const int y = static_cast<int>(cy - radius * std::cos(a));
            const double l = face->luminance(x, y);
            if (l < darkest) {
                darkest = l;
                at = deg;
            }
        }
        EXPECT_LT(darkest, 120.0);
        EXPECT_NEAR(at, expected, 1.2);
    }
}

} // namespace
