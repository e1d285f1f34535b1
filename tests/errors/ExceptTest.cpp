#include "errors/Except.h"
#include "LogFixture.h"

#include <regex>
#include <string>

namespace {

std::string SystemMessage(DWORD code) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    return text;
}

} // namespace

// Resource ids as numbers, names in quotes; the platform's message with its
// line break, or the code's number where it has none; a percent sign as is.
TEST(Except, TitleSourceAndDescriptionOfEachKind) {
    const std::string notFound = SystemMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_EQ('\n', notFound.back());
    const struct {
        Except_Base e;
        const char* title;
        std::string desc;
    } cases[] = {
        {Except_MissingResource("S::A", "DATAFILE", "INPUT_FILE"), "Missing resource",
         "Unable to find resource (type: \"DATAFILE\", name: \"INPUT_FILE\")"},
        {Except_MissingResource("S::A", "BIN", MAKEINTRESOURCEA(117)), "Missing resource",
         "Unable to find resource (type: \"BIN\", id: 117)"},
        {Except_MissingResource("S::A", MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(117)),
         "Missing resource", "Unable to find resource (type: 10, id: 117)"},
        {Except_MissingResource("S::A", MAKEINTRESOURCEA(0xFFFF), "X"), "Missing resource",
         "Unable to find resource (type: 65535, name: \"X\")"},
        {Except_Base("Title", "S::A"), "Title", ""},
        {Except_NoAccess("S::A", "Unable to install driver 100%s"), "No access Exception",
         "Unable to install driver 100%s"},
        {Except_FileWriteError("S::A", "C:\\x\\image.sys"), "Write error",
         "Error writing to file C:\\x\\image.sys"},
        {Except_BadExec("S::A", "(Copy of resource)"), "Bad executable",
         "Unable to parse (Copy of resource) as file"},
        {Except_BadExec("S::A", "C:\\w\\mshta.exe", ERROR_FILE_NOT_FOUND), "Bad executable",
         "Unable to start C:\\w\\mshta.exe (" + notFound + ")"},
        {Except_Driver("S::A", "Unable to open driver", ERROR_FILE_NOT_FOUND), "Driver error",
         "Unable to open driver (" + notFound + ")"},
        {Except_Driver("S::A", "Unable to complete IOCTL request", 0x2FFFFFFF), "Driver error",
         "Unable to complete IOCTL request (error 805306367)"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.title, c.e.GetTitle());
        EXPECT_STREQ("S::A", c.e.GetSource());
        EXPECT_EQ(c.desc, c.e.GetDesc());
    }
}

TEST(Except, LongDescriptionIsCut) {
    std::string name(3000, 'n');
    Except_BadExec e("RcLdr::RcLdr()", name.c_str());
    EXPECT_GT(name.size(), std::string(e.GetDesc()).size());
    EXPECT_EQ(0u, std::string(e.GetDesc()).find("Unable to parse nnn"));
}

// One record when made, none when thrown or copied.
TEST_F(LogOn, OneRecordPerObjectMade) {
    try {
        throw Except_MissingResource("RcRes::Load", "BIN", MAKEINTRESOURCEA(117));
    } catch (Except_Base e) { // by value: a copy
        Except_Base again = e;
        EXPECT_STREQ("Missing resource", again.GetTitle());
    }
    std::regex record("Missing resource\r\n"
                      "   source - RcRes::Load\r\n"
                      "   desc - Unable to find resource \\(type: \"BIN\", id: 117\\)\r\n"
                      "   time - ([0-9]|1[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\r\n"
                      "\r\n");
    EXPECT_TRUE(std::regex_match(Logged(), record)) << Logged();
}
