// The music table: its checks in their order, record reuse, look-up and reset.
#include "ResourceTestFixture.h"

#include <cor/SfmlAdapter.h>

#include <filesystem>
#include <string>

namespace
{

const std::string prefix = "ResourceManager::loadMusic(): ";

class MusicTable : public ResourceTest
{
protected:
    void SetUp() override
    {
        ResourceTest::SetUp();
        std::filesystem::copy_file(std::string(HALVREN_RUN_DIR) + "/sound/BGM/BGM.ogg", "tune.ogg");
    }
};

} // namespace

TEST_F(MusicTable, AnEmptyLabelIsRefusedFirstEvenWhenTheTableIsFull)
{
    EXPECT_EQ(resources().loadMusic("tune.ogg", ""), -1);
    EXPECT_EQ(log(), prefix + "Music label cannot be empty.\n");
    for (int i = 0; i < cor::MUSIC_CAPACITY; ++i)
        ASSERT_EQ(resources().loadMusic("tune.ogg", "tune" + std::to_string(i)), 0);
    EXPECT_EQ(resources().musicCount(), cor::MUSIC_CAPACITY);

    clearLog();
    EXPECT_EQ(resources().loadMusic("tune.ogg", ""), -1);
    // A missing file is not even opened once the table is full.
    EXPECT_EQ(resources().loadMusic("missing.ogg", "one too many"), -1);
    EXPECT_EQ(log(), prefix + "Music label cannot be empty.\n" + prefix + "Music array full.\n");
    EXPECT_EQ(resources().musicCount(), cor::MUSIC_CAPACITY);
}

TEST_F(MusicTable, AFailedOpenNamesTheFileAndLeavesItsRecordForTheNextLoad)
{
    ASSERT_EQ(resources().loadMusic("tune.ogg", "first"), 0);
    cor::Music* firstRecord = resources().findMusic("first");
    ASSERT_NE(firstRecord, nullptr);
    resources().initialize();
    clearLog();

    EXPECT_EQ(resources().loadMusic("missing.ogg", "bgm"), -1);
    EXPECT_EQ(log(), prefix + "Unable to load from file 'missing.ogg'.\n");
    EXPECT_EQ(resources().musicCount(), 0);
    EXPECT_EQ(resources().findMusic("bgm"), nullptr);

    ASSERT_EQ(resources().loadMusic("tune.ogg", "bgm"), 0);
    EXPECT_EQ(resources().musicCount(), 1);
    EXPECT_EQ(resources().findMusic("bgm"), firstRecord);
    EXPECT_GT(firstRecord->stream().getDuration().asSeconds(), 0.0f);
}

TEST_F(MusicTable, LabelsAreFoundFirstLoadedFirstAndExactly)
{
    ASSERT_EQ(resources().loadMusic("tune.ogg", "bgm"), 0);
    ASSERT_EQ(resources().loadMusic("tune.ogg", "bgm"), 0);
    ASSERT_EQ(resources().loadMusic("tune.ogg", "other"), 0);
    cor::Music* bgm = resources().findMusic("bgm");
    cor::Music* other = resources().findMusic("other");
    ASSERT_NE(bgm, nullptr);
    ASSERT_NE(other, nullptr);
    // Records lie in load order: the first "bgm" is two records before "other".
    EXPECT_EQ(other - bgm, 2);
    EXPECT_EQ(bgm->label(), "bgm");
    EXPECT_EQ(resources().findMusic("BGM"), nullptr);
    EXPECT_EQ(resources().findMusic(""), nullptr);
    EXPECT_EQ(log(), "");
}

TEST_F(MusicTable, InitializeResetsOnlyTheCount)
{
    ASSERT_EQ(resources().loadMusic("tune.ogg", "bgm"), 0);
    cor::Music* record = resources().findMusic("bgm");
    ASSERT_NE(record, nullptr);
    cor::sfml::setMusicLooping(record->stream(), true);
    record->stream().play();

    resources().initialize();
    EXPECT_EQ(resources().musicCount(), 0);
    EXPECT_EQ(resources().findMusic("bgm"), nullptr);
    // The record itself keeps its label and its open, playing stream.
    EXPECT_EQ(record->label(), "bgm");
    EXPECT_EQ(record->stream().getStatus(), sf::SoundSource::Status::Playing);

    // Shutting down leaves the music table alone as well.
    ASSERT_EQ(resources().loadMusic("tune.ogg", "bgm"), 0);
    resources().shutdown();
    EXPECT_EQ(resources().musicCount(), 1);
    EXPECT_EQ(resources().findMusic("bgm"), record);
    record->stream().stop();
}
