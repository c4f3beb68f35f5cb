// The generated background music loops its menu and play regions, where the game must loop
// them: at each seam the sound runs back into the region's start without a click or a jump in
// loudness.
#include "TestSupport.h"
#include "cor/Music.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

TEST(MusicSeams, EachLoopRegionRunsBackIntoItsStart)
{
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(HALVREN_RUN_DIR "/sound/BGM/BGM.ogg"));
    std::vector<std::int16_t> samples(static_cast<std::size_t>(file.getSampleCount()));
    samples.resize(static_cast<std::size_t>(file.read(samples.data(), samples.size())));
    const std::size_t channels = file.getChannelCount(), seam = file.getSampleRate();
    for (const char* loop : {"menu_loop", "play_loop"})
    {
        // What a listener hears, both channels averaged: the region's last second, then its first.
        std::vector<double> heard;
        for (const double from : {testsupport::fact(loop, 1) - 1, testsupport::fact(loop, 0)})
            for (std::size_t i = 0, at = std::size_t(std::llround(from * double(seam))); i < seam;
                 ++i)
            {
                double sum = 0;
                for (std::size_t c = 0; c < channels; ++c)
                    sum += samples.at((at + i) * channels + c);
                heard.push_back(sum / static_cast<double>(channels));
            }
        // The step across the seam is no larger than the steps near it nearly always are.
        std::vector<double> steps;
        for (std::size_t i = seam - seam / 4; i < seam + seam / 4; ++i)
            if (i != seam)
                steps.push_back(std::abs(heard[i] - heard[i - 1]));
        std::sort(steps.begin(), steps.end());
        EXPECT_LE(std::abs(heard[seam] - heard[seam - 1]), steps[steps.size() * 99 / 100]) << loop;
        double before = 0, after = 0;
        for (std::size_t i = 0; i < heard.size(); ++i)
            (i < seam ? before : after) += heard[i] * heard[i];
        EXPECT_GT(std::sqrt(before / double(seam)), 32767.0 * 0.03) << loop; // clearly audible
        EXPECT_TRUE(after / before > 1 / 1.5 && after / before < 1.5) << loop;
    }
}

#if SFML_VERSION_MAJOR < 3
static long threadCount()
{
    return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {});
}

// SFML 2 plays on without a sound device, in a stream thread that spins and may never stop.
TEST(MusicWithoutSoundDevice, StaysSilentAndStartsNoStream)
{
    setenv("ALSOFT_DRIVERS", "none", 1); // read when the first stream opens OpenAL's device
    cor::Music music;
    ASSERT_EQ(music.open(HALVREN_RUN_DIR "/sound/BGM/BGM.ogg"), 0);
    const long before = threadCount();
    music.play();
    EXPECT_FALSE(music.playing());
    EXPECT_EQ(threadCount(), before);
}
#endif
