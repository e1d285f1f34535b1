#include "win/TextEncoding.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(TextEncoding, Utf16AsUtf8EachLength) {
    const wchar_t units[] = {L'A', 0x7FF, 0x800, 0xFFFF, 0xD83D, 0xDE00, 0xDBFF, 0xDFFF};
    EXPECT_EQ("A\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF",
              Utf16ToUtf8(units, sizeof units / sizeof units[0]));
}

TEST(TextEncoding, AnsiThroughTheCodePage) {
    EXPECT_EQ(std::string("a\0b", 3), AnsiToUtf8(std::string("a\0b", 3)));
    // The prefix's code page follows the locale Wine runs in.
    if (GetACP() == 1252) {
        EXPECT_EQ("Zarnik\xC2\xAE \xE2\x82\xAC", AnsiToUtf8("Zarnik\xAE \x80"));
    }
}
