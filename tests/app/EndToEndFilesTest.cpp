// The report files' names taken by other things in the current directory.
#include "EndToEnd.h"

#include "win/Handle.h"

#include <functional>
#include <utility>

namespace {

// A file's bytes, or what stands in their place.
std::string Snapshot(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "<missing>";
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? "<directory>" : ReadFileBytes(path);
}

} // namespace

// Anything but an earlier run's leftover, or a leftover page that can't be
// replaced once input.txt is written, stays as it is and stops the run.
TEST_F(EndToEnd, WhatBearsTheFilesNamesStaysAndStopsTheRun) {
    const std::string input = work + "\\input.txt", page = work + "\\output.hta",
                      elsewhere = scratch / "elsewhere.hta";
    auto state = [&] {
        return std::vector<std::string>{Snapshot(input), Snapshot(page), Snapshot(elsewhere)};
    };
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a user's input.txt going on after the script",
         [&] { WriteFileBytes(input, Script() + "\r\nmine"); }},
        {"a foreign page ending with the template, beside a leftover input.txt",
         [&] {
             WriteFileBytes(input, Script());
             WriteFileBytes(page, "<!-- mine -->" + PageTemplate());
         }},
        {"a directory named output.hta", [&] { CreateDirectoryA(page.c_str(), nullptr); }},
        {"a second name of a file elsewhere that holds the template",
         [&] {
             WriteFileBytes(elsewhere, PageTemplate());
             CreateHardLinkA(page.c_str(), elsewhere.c_str(), nullptr);
         }},
        {"a read-only leftover page",
         [&] {
             WriteFileBytes(page, PageTemplate());
             SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY);
         }},
    };
    for (const auto& [what, place] : cases) {
        SCOPED_TRACE(what);
        place();
        std::vector<std::string> before = state();
        ExpectWriteErrorBox(Run());
        EXPECT_FALSE(HostRan());
        EXPECT_EQ(before, state());
        for (const std::string& path : {input, page, elsewhere})
            RemoveTree(path);
        ExpectNothingLeft();
    }
}

// A leftover page that another process holds open, sharing its deletion:
// removed, its name lingers until that process lets go, so the page can't
// be made and the host must not start.
TEST_F(EndToEnd, LeftoverPageHeldOpenElsewhereStopsTheRunBeforeTheHost) {
    const std::string page = work + "\\output.hta";
    WriteFileBytes(page, PageTemplate());
    Handle held(CreateFileA(page.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());
    ExpectWriteErrorBox(Run());
    held.Close();
    EXPECT_FALSE(HostRan());
    ExpectNothingLeft();
}
