#include "app/Json.h"

#include <gtest/gtest.h>

TEST(Json, StringEscapesQuotesBackslashesAndControlBytesOnly) {
    const char text[] = "a\"b\\c\b\f\n\r\t\0\x1F\x7F \xC3\xA9";
    EXPECT_EQ("\"a\\\"b\\\\c\\b\\f\\n\\r\\t\\u0000\\u001F\\u007F \xC3\xA9\"",
              JsonString(std::string(text, sizeof text - 1)));
}

TEST(Json, ReportInOrderWithOneMemberPerNameHoldingItsLastValue) {
    SYSTEMTIME time = {2024, 3, 6, 9, 7, 5, 4, 999};
    JsonReportHead head{"1.1", "PC \"1\"", UtcTimestamp(time), "device tree"};
    std::vector<JsonValue> values = {
        {"b", false, 0, "old"}, {"a", true, 0, ""}, {"c", false, 0, "x\n"}, {"b", true, ~0u, ""}};
    EXPECT_EQ("{\n"
              "  \"format\": 1,\n"
              "  \"utility\": \"SysReport\",\n"
              "  \"version\": \"1.1\",\n"
              "  \"computer\": \"PC \\\"1\\\"\",\n"
              "  \"time\": \"2024-03-09T07:05:04Z\",\n"
              "  \"access\": \"device tree\",\n"
              "  \"values\": {\n"
              "    \"b\": 4294967295,\n"
              "    \"a\": 0,\n"
              "    \"c\": \"x\\n\"\n"
              "  }\n"
              "}\n",
              JsonReport(head, values));
    EXPECT_NE(std::string::npos, JsonReport(head, {}).find("\n  \"values\": {}\n}\n"));
    // Every width of number, at both of its ends.
    for (uint32_t n : {1u, 9u, 10u, 99u, 100u, 1000u, 65535u, 999999999u, 1000000000u})
        EXPECT_NE(std::string::npos,
                  JsonReport(head, {{"n", true, n, ""}}).find("\"n\": " + std::to_string(n) + "\n"))
            << n;
}
