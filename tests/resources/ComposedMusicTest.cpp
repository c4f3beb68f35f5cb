// The generated background music: long enough for both loop regions, and each region runs
// back into its own start without a click, a gap or a jump in loudness.
#include "Timeline.h"

#include <cor/SfmlAdapter.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const std::string musicPath = std::string(HALVREN_RUN_DIR) + "/sound/BGM/BGM.ogg";

struct Decoded
{
    unsigned sampleRate = 0;
    unsigned channels = 0;
    std::vector<std::int16_t> samples; // interleaved

    std::size_t frames() const { return samples.size() / channels; }
    std::size_t frameAt(double seconds) const
    {
        return static_cast<std::size_t>(std::llround(seconds * sampleRate));
    }
    // Mono view of one frame, both channels averaged.
    double mono(std::size_t frame) const
    {
        double sum = 0;
        for (unsigned c = 0; c < channels; ++c)
            sum += samples[frame * channels + c];
        return sum / channels;
    }
};

const Decoded& decoded()
{
    static const Decoded music = []
    {
        Decoded result;
        sf::InputSoundFile file;
        if (!cor::sfml::openSoundFileReader(file, musicPath))
            return result;
        result.sampleRate = file.getSampleRate();
        result.channels = file.getChannelCount();
        result.samples.resize(static_cast<std::size_t>(file.getSampleCount()));
        std::size_t read = 0;
        while (read < result.samples.size())
        {
            const auto got = file.read(result.samples.data() + read, result.samples.size() - read);
            if (got == 0)
                break;
            read += static_cast<std::size_t>(got);
        }
        result.samples.resize(read);
        return result;
    }();
    return music;
}

// The signal a listener hears at a loop seam: the region's last `before` frames followed by
// its first `after` frames.
std::vector<double> acrossSeam(const Decoded& music, const musicgen::Region& region,
                               std::size_t before, std::size_t after)
{
    const std::size_t end = music.frameAt(region.end);
    const std::size_t start = music.frameAt(region.start);
    std::vector<double> joined;
    for (std::size_t i = end - before; i < end; ++i)
        joined.push_back(music.mono(i));
    for (std::size_t i = start; i < start + after; ++i)
        joined.push_back(music.mono(i));
    return joined;
}

std::vector<double> stretch(const Decoded& music, std::size_t from, std::size_t to)
{
    std::vector<double> values;
    for (std::size_t i = from; i < to; ++i)
        values.push_back(music.mono(i));
    return values;
}

double rms(const std::vector<double>& values, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += values[i] * values[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

// The quietest short window in a stretch: how deep the music dips around a bar line.
double deepestDip(const std::vector<double>& values, std::size_t window)
{
    double lowest = 1e30;
    for (std::size_t from = 0; from + window <= values.size(); from += window / 4)
        lowest = std::min(lowest, rms(values, from, from + window));
    return lowest;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

struct SeamFigures
{
    double jump;        // sample-to-sample step across the seam
    double typicalJump; // 99th percentile of the steps within 0.25 s on either side
    double loudnessBefore;
    double loudnessAfter;
    double barLineRatio; // loudness after / before, typical of the inner bar lines
    double seamDip;      // quietest 20 ms around the seam
    double barLineDip;   // the same, typical of the region's inner bar lines
};

SeamFigures measureSeam(const Decoded& music, const musicgen::Region& region)
{
    SeamFigures figures{};
    const std::size_t quarterSecond = music.frameAt(0.25);
    const std::vector<double> joined = acrossSeam(music, region, quarterSecond, quarterSecond);
    figures.jump = std::abs(joined[quarterSecond] - joined[quarterSecond - 1]);
    std::vector<double> steps;
    for (std::size_t i = 1; i < joined.size(); ++i)
    {
        if (i != quarterSecond)
            steps.push_back(std::abs(joined[i] - joined[i - 1]));
    }
    figures.typicalJump = percentile(steps, 0.99);

    const std::size_t second = music.frameAt(1.0);
    const std::vector<double> wide = acrossSeam(music, region, second, second);
    figures.loudnessBefore = rms(wide, 0, second);
    figures.loudnessAfter = rms(wide, second, 2 * second);

    const std::size_t window = music.frameAt(0.02);
    const std::size_t near = music.frameAt(0.1);
    figures.seamDip = deepestDip(acrossSeam(music, region, near, near), window);
    std::vector<double> dips;
    std::vector<double> ratios;
    for (int bar = 1; bar < region.bars; ++bar)
    {
        const std::size_t line = music.frameAt(region.at(bar));
        dips.push_back(deepestDip(stretch(music, line - near, line + near), window));
        const std::vector<double> around = stretch(music, line - second, line + second);
        ratios.push_back(rms(around, second, 2 * second) / rms(around, 0, second));
    }
    figures.barLineDip = percentile(dips, 0.5);
    figures.barLineRatio = percentile(ratios, 0.5);
    std::printf("seam %.3f s -> %.3f s: jump %.0f (typical %.0f), rms before %.0f after %.0f "
                "(ratio %.3f, bar lines %.3f), dip %.0f (bar lines %.0f)\n",
                region.end, region.start, figures.jump, figures.typicalJump, figures.loudnessBefore,
                figures.loudnessAfter, figures.loudnessAfter / figures.loudnessBefore,
                figures.barLineRatio, figures.seamDip, figures.barLineDip);
    return figures;
}

void expectSeamless(const SeamFigures& figures)
{
    EXPECT_LE(figures.jump, figures.typicalJump);
    const double ratio = figures.loudnessAfter / figures.loudnessBefore;
    EXPECT_GT(ratio, 1 / 1.25);
    EXPECT_LT(ratio, 1.25);
    // ... and changes across the seam no more than across an ordinary bar line.
    EXPECT_NEAR(std::log(ratio), std::log(figures.barLineRatio), std::log(1.1));
    // The seam dips no deeper than an ordinary bar line does.
    EXPECT_GE(figures.seamDip, figures.barLineDip * 0.5);
}

} // namespace

TEST(ComposedMusic, CoversBothLoopRegions)
{
    const Decoded& music = decoded();
    ASSERT_GT(music.channels, 0u) << "cannot decode " << musicPath;
    EXPECT_EQ(music.sampleRate, musicgen::SAMPLE_RATE);
    const double seconds = static_cast<double>(music.frames()) / music.sampleRate;
    EXPECT_GE(seconds, musicgen::PLAY_END);
    // The silent pickup before the menu region, and real music inside both regions.
    const std::size_t pickupEnd = music.frameAt(musicgen::MENU_START);
    const double pickupLoudness = rms(stretch(music, 0, pickupEnd), 0, pickupEnd);
    for (const musicgen::Region& region : {musicgen::MENU_REGION, musicgen::PLAY_REGION})
    {
        const std::vector<double> inside =
            stretch(music, music.frameAt(region.start), music.frameAt(region.end));
        // Clearly audible: above -30 dB of full scale.
        EXPECT_GT(rms(inside, 0, inside.size()), 32767.0 * 0.03);
        EXPECT_LT(pickupLoudness, rms(inside, 0, inside.size()) * 0.01);
    }
}

TEST(ComposedMusic, MenuRegionRunsIntoItsOwnStart)
{
    const Decoded& music = decoded();
    ASSERT_GT(music.channels, 0u);
    expectSeamless(measureSeam(music, musicgen::MENU_REGION));
}

TEST(ComposedMusic, PlayRegionRunsIntoItsOwnStart)
{
    const Decoded& music = decoded();
    ASSERT_GT(music.channels, 0u);
    expectSeamless(measureSeam(music, musicgen::PLAY_REGION));
}

TEST(ComposedMusic, BarLinesFallOnTheLoopPoints)
{
    // Both regions hold whole bars of nearly the same tempo, so leaving the menu loop for
    // the play loop keeps the beat.
    const double menuBar = musicgen::MENU_REGION.barLength();
    const double playBar = musicgen::PLAY_REGION.barLength();
    EXPECT_DOUBLE_EQ(musicgen::MENU_REGION.at(musicgen::MENU_BARS), musicgen::MENU_END);
    EXPECT_DOUBLE_EQ(musicgen::PLAY_REGION.at(musicgen::PLAY_BARS), musicgen::PLAY_END);
    EXPECT_LT(std::abs(menuBar - playBar) / menuBar, 0.01);
}
