#include "rc/RcLdr.h"

#include "errors/Except.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const RcRes& res) {
    return std::string(reinterpret_cast<const char*>(res.Data()), res.Size());
}

} // namespace

TEST(RcLdr, LoadsByTextAndByIntegerIdentity) {
    RcLdr ldr(GetModuleHandleA(nullptr));
    RcRes res;
    ldr.Load(res, "TEXTTYPE", "GREETING");
    EXPECT_EQ("Hello, resource", Bytes(res));
    ldr.Load(res, MAKEINTRESOURCEA(301), MAKEINTRESOURCEA(0xFFFF));
    EXPECT_EQ("integer type and highest id", Bytes(res));
}

// A failed load names what was missing and leaves the handle empty.
TEST(RcRes, MissingResourceIsNamedAndLeavesTheHandleEmpty) {
    RcLdr ldr(GetModuleHandleA(nullptr));
    RcRes res;
    ldr.Load(res, "TEXTTYPE", "GREETING");
    try {
        ldr.Load(res, "TEXTTYPE", MAKEINTRESOURCEA(8));
        ADD_FAILURE() << "no exception";
    } catch (const Except_MissingResource& e) {
        EXPECT_STREQ("RcRes::Load", e.GetSource());
        EXPECT_STREQ("Unable to find resource (type: \"TEXTTYPE\", id: 8)", e.GetDesc());
    }
    EXPECT_EQ(nullptr, res.Data());
    EXPECT_EQ(0u, res.Size());
}

TEST(RcLdr, UnknownModuleIsBadExecutable) {
    try {
        RcLdr ldr(reinterpret_cast<HMODULE>(0x7ABC0000));
        FAIL() << "no exception";
    } catch (const Except_BadExec& e) {
        EXPECT_STREQ("RcLdr::RcLdr()", e.GetSource());
        EXPECT_STREQ("Unable to parse (Copy of resource) as file", e.GetDesc());
    }
}

TEST(RcLdr, FileThatIsNoExecutableKeepsOldMapping) {
    TempDir dir;
    std::string junk = dir / "junk.exe";
    WriteFileBytes(junk, "not an executable");
    RcLdr ldr(GetModuleHandleA(nullptr));
    try {
        ldr.LoadFile(junk.c_str());
        FAIL() << "no exception";
    } catch (const Except_BadExec& e) {
        EXPECT_STREQ("RcLdr::LoadFile", e.GetSource());
        EXPECT_EQ("Unable to parse " + junk + " as file", e.GetDesc());
    }
    RcRes res;
    ldr.Load(res, "TEXTTYPE", "GREETING");
    EXPECT_EQ("Hello, resource", Bytes(res));
}
