#ifndef HALVREN_RESOURCE_TEST_FIXTURE_H
#define HALVREN_RESOURCE_TEST_FIXTURE_H

#include "TestSupport.h"

#include <cor/LogManager.h>
#include <cor/ResourceManager.h>

#include <gtest/gtest.h>

#include <string>

// A started log and an empty resource table in a fresh working directory.
class ResourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cor::LogManager& log = cor::LogManager::instance();
        ASSERT_EQ(log.initialize(), 0);
        log.setFlushEachMessage(true);
        resources().initialize();
    }

    void TearDown() override
    {
        resources().shutdown();
        cor::LogManager::instance().shutdown();
    }

    static cor::ResourceManager& resources() { return cor::ResourceManager::instance(); }
    static std::string log() { return testsupport::readFile("corvane.log"); }
    // Starts the log afresh, so a test sees only the messages of what it does next.
    static void clearLog() { cor::LogManager::instance().initialize(); }

    testsupport::TempDir dir;
};

#endif
