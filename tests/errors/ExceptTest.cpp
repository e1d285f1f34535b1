#include "errors/Except.h"
#include "LogFixture.h"

#include <regex>
#include <string>

namespace {

size_t CountRecords(const std::string& log) {
    size_t n = 0;
    for (size_t at = log.find("   source - "); at != std::string::npos;
         at = log.find("   source - ", at + 1))
        ++n;
    return n;
}

std::string SystemMessage(DWORD code) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    return text;
}

} // namespace

TEST(Except, MissingResourceNamesTextsInQuotesAndIdsAsNumbers) {
    struct {
        LPCSTR type, name;
        const char* desc;
    } cases[] = {
        {"DATAFILE", "INPUT_FILE",
         "Unable to find resource (type: \"DATAFILE\", name: \"INPUT_FILE\")"},
        {"BIN", MAKEINTRESOURCEA(117), "Unable to find resource (type: \"BIN\", id: 117)"},
        {MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(117),
         "Unable to find resource (type: 10, id: 117)"},
        {MAKEINTRESOURCEA(10), "X", "Unable to find resource (type: 10, name: \"X\")"},
        {MAKEINTRESOURCEA(0xFFFF), "X", "Unable to find resource (type: 65535, name: \"X\")"},
    };
    for (const auto& c : cases) {
        Except_MissingResource e("RcRes::Load", c.type, c.name);
        EXPECT_STREQ("Missing resource", e.GetTitle());
        EXPECT_STREQ("RcRes::Load", e.GetSource());
        EXPECT_STREQ(c.desc, e.GetDesc());
    }
}

TEST(Except, NoAccessKeepsPercentInText) {
    Except_NoAccess e("PCI_NT::Init", "Unable to install driver 100%s");
    EXPECT_STREQ("No access Exception", e.GetTitle());
    EXPECT_STREQ("PCI_NT::Init", e.GetSource());
    EXPECT_STREQ("Unable to install driver 100%s", e.GetDesc());
}

TEST(Except, FileWriteErrorAndBadExec) {
    Except_FileWriteError w("RcLdr::CopyResource", "C:\\x\\image.sys");
    EXPECT_STREQ("Write error", w.GetTitle());
    EXPECT_STREQ("Error writing to file C:\\x\\image.sys", w.GetDesc());
    Except_BadExec b("RcLdr::RcLdr()", "(Copy of resource)");
    EXPECT_STREQ("Bad executable", b.GetTitle());
    EXPECT_STREQ("RcLdr::RcLdr()", b.GetSource());
    EXPECT_STREQ("Unable to parse (Copy of resource) as file", b.GetDesc());
    Except_BadExec s("ReportBuilder::Run", "C:\\w\\mshta.exe", ERROR_FILE_NOT_FOUND);
    EXPECT_EQ("Unable to start C:\\w\\mshta.exe (" + SystemMessage(ERROR_FILE_NOT_FOUND) + ")",
              s.GetDesc());
}

TEST(Except, DriverCarriesPlatformMessageWithItsLineBreak) {
    std::string message = SystemMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(message.empty());
    Except_Driver e("PCI_NT::Read", "Unable to open driver", ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ("Driver error", e.GetTitle());
    EXPECT_STREQ("PCI_NT::Read", e.GetSource());
    EXPECT_EQ("Unable to open driver (" + message + ")", e.GetDesc());
    EXPECT_EQ('\n', message.back());
}

TEST(Except, DriverWithUnknownCodeShowsNumber) {
    Except_Driver e("PCI_NT::Read", "Unable to complete IOCTL request", 0x2FFFFFFF);
    EXPECT_STREQ("Unable to complete IOCTL request (error 805306367)", e.GetDesc());
}

TEST(Except, LongDescriptionIsCut) {
    std::string name(3000, 'n');
    Except_BadExec e("RcLdr::RcLdr()", name.c_str());
    EXPECT_GT(name.size(), std::string(e.GetDesc()).size());
    EXPECT_EQ(0u, std::string(e.GetDesc()).find("Unable to parse nnn"));
}

TEST_F(LogOn, RecordBytes) {
    Except_MissingResource e("RcRes::Load", "BIN", MAKEINTRESOURCEA(117));
    std::regex record("Missing resource\r\n"
                      "   source - RcRes::Load\r\n"
                      "   desc - Unable to find resource \\(type: \"BIN\", id: 117\\)\r\n"
                      "   time - ([0-9]|1[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\r\n"
                      "\r\n");
    EXPECT_TRUE(std::regex_match(Logged(), record)) << Logged();
}

TEST_F(LogOn, OneRecordPerConstructedObject) {
    try {
        throw Except_NoAccess("PCI_NT::Init", "Unable to install driver");
    } catch (Except_Base e) { // by value: a copy
        Except_Base again = e;
        EXPECT_STREQ("Unable to install driver", again.GetDesc());
    }
    EXPECT_EQ(1u, CountRecords(Logged()));
    Except_BadExec unthrown("RcLdr::RcLdr()", "x");
    EXPECT_EQ(2u, CountRecords(Logged()));
}

TEST_F(LogOn, BaseWithoutFormatHasEmptyDescAndNoRecord) {
    Except_Base e("Title", "Class::Op");
    EXPECT_STREQ("", e.GetDesc());
    EXPECT_EQ("", Logged());
}

TEST_F(LogOn, DriverRecordBreaksBeforeClosingParenthesis) {
    Except_Driver e("PCI_NT::Read", "Unable to open driver", ERROR_FILE_NOT_FOUND);
    std::string log = Logged();
    EXPECT_NE(std::string::npos, log.find("\r\n)\r\n   time - ")) << log;
}
