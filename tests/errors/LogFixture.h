// Switches the error log on, into a scratch file, for one test.
#pragma once

#include "errors/Log.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

class LogOn : public ::testing::Test {
protected:
    void SetUp() override { StartLog(dir / "error.log"); }
    void TearDown() override {
        LogEnabled = false;
        LogFileName.clear();
    }
    std::string Logged() const { return FileExists(LogFileName) ? ReadFileBytes(LogFileName) : ""; }

    TempDir dir;
};
