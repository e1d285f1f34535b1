#include "rc/RcLdr.h"

#include "errors/Except.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const RcRes& res) {
    return std::string(reinterpret_cast<const char*>(res.Data()), res.Size());
}

HMODULE Self() {
    return GetModuleHandleA(nullptr);
}

template <class F> std::string MissingDesc(F f) {
    try {
        f();
    } catch (const Except_MissingResource& e) {
        EXPECT_STREQ("RcRes::Load", e.GetSource());
        return e.GetDesc();
    }
    ADD_FAILURE() << "no Except_MissingResource";
    return "";
}

} // namespace

TEST(RcLdr, LoadsEveryMixOfTextAndIntegerIdentity) {
    RcLdr ldr(Self());
    RcRes res;
    ldr.Load(res, "TEXTTYPE", "GREETING");
    EXPECT_EQ("Hello, resource", Bytes(res));
    ldr.Load(res, "TEXTTYPE", MAKEINTRESOURCEA(7));
    EXPECT_EQ("seven", Bytes(res));
    ldr.Load(res, MAKEINTRESOURCEA(300), "NAMED");
    EXPECT_EQ("integer type, text name", Bytes(res));
    ldr.Load(res, MAKEINTRESOURCEA(301), MAKEINTRESOURCEA(302));
    EXPECT_EQ("integer type and name", Bytes(res));
    ldr.Load(res, "TEXTTYPE", MAKEINTRESOURCEA(0xFFFF));
    EXPECT_EQ("highest id", Bytes(res));
}

TEST(RcLdr, MissingResourceDescriptions) {
    RcLdr ldr(Self());
    RcRes res;
    EXPECT_EQ("Unable to find resource (type: \"TEXTTYPE\", id: 8)",
              MissingDesc([&] { ldr.Load(res, "TEXTTYPE", MAKEINTRESOURCEA(8)); }));
    EXPECT_EQ("Unable to find resource (type: \"NOTYPE\", name: \"GREETING\")",
              MissingDesc([&] { ldr.Load(res, "NOTYPE", "GREETING"); }));
    EXPECT_EQ("Unable to find resource (type: 300, name: \"OTHER\")",
              MissingDesc([&] { ldr.Load(res, MAKEINTRESOURCEA(300), "OTHER"); }));
    EXPECT_EQ("Unable to find resource (type: 10, id: 117)",
              MissingDesc([&] { ldr.Load(res, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(117)); }));
}

TEST(RcRes, FailedReloadLeavesHandleEmpty) {
    RcLdr ldr(Self());
    RcRes res;
    ldr.Load(res, "TEXTTYPE", "GREETING");
    MissingDesc([&] { ldr.Load(res, "TEXTTYPE", "NONE"); });
    EXPECT_EQ(nullptr, res.Data());
    EXPECT_EQ(0u, res.Size());
    ldr.Load(res, "TEXTTYPE", MAKEINTRESOURCEA(7));
    EXPECT_EQ("seven", Bytes(res));
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
    RcLdr ldr(Self());
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
