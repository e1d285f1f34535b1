#include "datafile/ScriptString.h"

#include <gtest/gtest.h>

TEST(ScriptString, InsideAPageLessThanIsEscapedToo) {
    EXPECT_EQ("\\x3C/SCRIPT>\\\"\\x0A\xE9>", ScriptString("</SCRIPT>\"\n\xE9>", true));
    EXPECT_EQ("</SCRIPT>\\\"\\x0A\xE9>", ScriptString("</SCRIPT>\"\n\xE9>"));
}
