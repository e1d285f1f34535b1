#include "app/InlinePage.h"

#include "errors/Except.h"

#include <gtest/gtest.h>

TEST(InlinePage, IncludeReplacedByTheScriptWithItsEndTagsEscaped) {
    const char script[] = "x=\"</SCRIPT></script\";";
    EXPECT_EQ("<BODY>\r\n<SCRIPT LANGUAGE=JAVASCRIPT TYPE=\"TEXT/JAVASCRIPT\">"
              "x=\"<\\/SCRIPT><\\/script\";</SCRIPT>\r\n</BODY>",
              SelfContainedPage("<BODY>\r\n<SCRIPT SRC=\"input.txt\" LANGUAGE=JAVASCRIPT "
                                "TYPE=\"TEXT/JAVASCRIPT\"></SCRIPT>\r\n</BODY>",
                                script));
    EXPECT_EQ("<scripts src=input.txt><script src=a.js></script>"
              "<script\r\n type='a>b'>x=\"<\\/SCRIPT><\\/script\";</Script >",
              SelfContainedPage("<scripts src=input.txt><script src=a.js></script>"
                                "<script\r\n type='a>b'\r\n Src = INPUT.TXT>old</Script >",
                                script));
    EXPECT_THROW(SelfContainedPage("<script src='input.txt.js'></script>", script), Except_Base);

    // A machine's text can neither open a comment nor start a script inside it.
    Assignment name;
    name.lead = "NName=";
    name.isText = true;
    name.text = "<!--<script>";
    EXPECT_EQ("<script>NName=\"\\x3C!--\\x3Cscript>\";x;</script>",
              ReportPage("<script src=input.txt></script>", {name}, "x;"));
}
