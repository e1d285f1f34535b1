// Switches the error log on, into a scratch file, for one test.
#pragma once

#include "errors/Log.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

class LogOn : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartLog(path)); }
    void TearDown() override { StopLog(); }
    std::string Logged() const { return FileExists(path) ? ReadFileBytes(path) : ""; }

    TempDir dir;
    const std::string path = dir / "error.log";
};
