// The report files' names in a current directory that holds other things
// under them.
#include "EndToEnd.h"

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

// Anything but an earlier run's leftover stays byte for byte and stops the
// run before the host, with nothing of the run left behind; so does a
// leftover page that can't be replaced once input.txt is written.
TEST_F(EndToEnd, WhatBearsTheFilesNamesStaysAndStopsTheRun) {
    const std::string input = work + "\\input.txt", page = work + "\\output.hta";
    const std::string elsewhere = scratch / "elsewhere.hta";
    HANDLE holder = INVALID_HANDLE_VALUE;
    // Each places something and names what must stay as it is.
    const std::vector<std::pair<const char*, std::function<std::vector<std::string>()>>> cases = {
        {"a user's input.txt that goes on after the script",
         [&] {
             WriteFileBytes(input, Script() + "\r\nmine");
             return std::vector<std::string>{input};
         }},
        {"a foreign page ending with the template, beside a leftover input.txt",
         [&] {
             WriteFileBytes(input, Script());
             WriteFileBytes(page, "<!-- mine -->" + PageTemplate());
             return std::vector<std::string>{input, page};
         }},
        {"a directory named output.hta",
         [&] {
             CreateDirectoryA(page.c_str(), nullptr);
             return std::vector<std::string>{page};
         }},
        {"a second name of a file elsewhere that holds the template",
         [&] {
             WriteFileBytes(elsewhere, PageTemplate());
             CreateHardLinkA(page.c_str(), elsewhere.c_str(), nullptr);
             return std::vector<std::string>{page, elsewhere};
         }},
        {"a read-only leftover page",
         [&] {
             WriteFileBytes(page, PageTemplate());
             SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY);
             return std::vector<std::string>{page};
         }},
        {"a leftover page another program reads, letting it be deleted",
         [&] {
             WriteFileBytes(page, PageTemplate());
             holder = CreateFileA(page.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
             return std::vector<std::string>{};
         }},
    };
    for (const auto& [what, place] : cases) {
        SCOPED_TRACE(what);
        std::vector<std::string> kept = place();
        std::vector<std::string> before;
        for (const std::string& path : kept)
            before.push_back(Snapshot(path));

        std::string boxes;
        for (const MessageBoxSeen& box : Run().boxes)
            boxes += box.caption + ": " + box.text + (box.icon ? " (icon)\n" : "\n");
        EXPECT_EQ("ERROR: COULDN'T WRITE OUTPUT\n", boxes);
        EXPECT_FALSE(HostRan());
        for (size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(before[i], Snapshot(kept[i])) << kept[i];
        if (kept.empty() || kept[0] != input) {
            EXPECT_FALSE(FileExists(input)) << "input.txt of this run left behind";
        }

        if (holder != INVALID_HANDLE_VALUE)
            CloseHandle(holder);
        holder = INVALID_HANDLE_VALUE;
        for (const std::string& path : {input, page, elsewhere})
            RemoveTree(path);
        ExpectNothingLeft();
    }
}
