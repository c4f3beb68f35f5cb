// The generated background music loops its menu and play regions, where the game must loop
// them: at each seam the sound runs back into the region's start without a click or a jump in
// loudness.
#include "TestSupport.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <algorithm>
#include <cmath>

TEST(MusicSeams, EachLoopRegionRunsBackIntoItsStart)
{
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(HALVREN_RUN_DIR "/sound/BGM/BGM.ogg"));
    std::vector<std::int16_t> samples(static_cast<std::size_t>(file.getSampleCount()));
    samples.resize(static_cast<std::size_t>(file.read(samples.data(), samples.size())));
    const std::size_t channels = file.getChannelCount();
    const std::size_t rate = file.getSampleRate();
    // Mono sample at a time, both channels averaged.
    const auto at = [&](double seconds)
    {
        const auto frame = static_cast<std::size_t>(std::llround(seconds * double(rate)));
        double sum = 0;
        for (std::size_t c = 0; c < channels; ++c)
            sum += samples.at(frame * channels + c);
        return sum / static_cast<double>(channels);
    };
    const double sample = 1.0 / double(rate);
    for (const char* loop : {"menu_loop", "play_loop"})
    {
        const double start = testsupport::fact(loop, 0), end = testsupport::fact(loop, 1);
        // What a listener hears: the region's last second, then its first.
        std::vector<double> heard;
        for (double t = end - 1; t < end - sample / 2; t += sample)
            heard.push_back(at(t));
        const std::size_t seam = heard.size();
        for (double t = start; t < start + 1; t += sample)
            heard.push_back(at(t));
        // The step across the seam is no larger than the steps near it nearly always are.
        std::vector<double> steps;
        for (std::size_t i = seam - rate / 4; i < seam + rate / 4; ++i)
            if (i != seam)
                steps.push_back(std::abs(heard[i] - heard[i - 1]));
        std::sort(steps.begin(), steps.end());
        EXPECT_LE(std::abs(heard[seam] - heard[seam - 1]), steps[steps.size() * 99 / 100]);
        double before = 0, after = 0;
        for (std::size_t i = 0; i < heard.size(); ++i)
            (i < seam ? before : after) += heard[i] * heard[i];
        EXPECT_GT(std::sqrt(before / seam), 32767.0 * 0.03) << start; // clearly audible
        EXPECT_GT(after / before, 1 / 1.5);
        EXPECT_LT(after / before, 1.5);
    }
}
