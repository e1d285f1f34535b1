#include "datafile/ScriptString.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

// Quote, backslash, control bytes and, inside a page, "<" escaped; in every
// code page, each byte beyond ASCII, followed by a backslash that may be the
// second byte of its character, as the UTF-16 units the code page reads
// ("?" for a byte it has no character for).
TEST(ScriptString, AsciiInEveryCodePage) {
    EXPECT_EQ("\\x3C/SCRIPT>\\\"\\x0A\\\\\\x01>", ScriptString("</SCRIPT>\"\n\\\x01>", true));
    EXPECT_EQ("</SCRIPT>\\\"\\x0A\\\\\\x01>", ScriptString("</SCRIPT>\"\n\\\x01>"));
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char text[] = {char(byte), '\\'};
        wchar_t units[2];
        char expected[16] = "";
        for (int i = 0, n = MultiByteToWideChar(CP_ACP, 0, text, 2, units, 2); i < n; ++i) {
            const char* form = units[i] >= 0x80 ? "\\u%04X" : units[i] == '?' ? "%c" : "\\%c";
            std::sprintf(expected + std::strlen(expected), form, units[i]);
        }
        EXPECT_EQ(expected, ScriptString(std::string(text, 2))) << byte;
    }
}
