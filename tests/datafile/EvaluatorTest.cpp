#include "RecordingPCI.h"
#include "support/FakeSetupApi.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// The product version of this test program's own version resource.
const std::string ownVersion = "2.10";

std::string Evaluate(const std::string& section, RecordingPCI& pci) {
    return EvaluateVariables(section, PlatformSources(pci));
}

std::string Evaluate(const std::string& section, uint32_t answer = 0x12345678) {
    RecordingPCI pci({answer});
    return Evaluate(section, pci);
}

} // namespace

// Values of the driver statement are empty: the emulated platform lists no
// installed driver, so the query finds none.
TEST(EvaluateVariables, WorkedExampleByteForByte) {
    RecordingPCI pci({0xABCD1234, 0x12345672});
    std::string section = "VendorID = PCI(0,0,0,0[15:0]);\r\n"
                          "Rev = PCI(0,31,3,8[3:0]);\r\n"
                          "Nic = DRIVER(net, VEN_1234&DEV_5678);\r\n"
                          "UTILITY_VERSION = ;\r\n";
    EXPECT_EQ("VendorID =0x1234;\r\n"
              "Rev =0x2;\r\n"
              "NicVersion=\"\";\r\n"
              "NicName=\"\";\r\n"
              "UTILITY_VERSION =\"" +
                  ownVersion + "\";",
              Evaluate(section, pci));
    EXPECT_EQ((std::vector<PciAddress>{{0, 0, 0, 0}, {0, 31, 3, 8}}), pci.reads);
}

// Driver texts as the setup API reports them, through the real query on a
// table of doubles, and the product version from a double.
TEST(EvaluateVariables, DriverTextsAsTheSetupApiReportsThem) {
    fakeSetup = FakePlatform();
    auto device = [](const char* id, std::vector<FakeDriver> drivers) {
        return FakeDevice{std::string("PCI\\") + id + "\\4&1&0&00E0", CR_SUCCESS, true, false,
                          drivers};
    };
    fakeSetup.devices = {
        device("VEN_1A2B&DEV_0001", {{"Zarnik WaveLink 310", Version(7, 2, 0, 16)}}),
        device("VEN_1A2B&DEV_0004", {{"Odd \"Mini PCI\" C:\\x\tend\n\x7F", Version(4, 0, 0, 0)}})};
    DriverQuery query = [](const std::string& className, const std::string& id,
                           std::string& description) {
        return QueryDriverVersion(Doubles(), className, id, description);
    };
    RecordingPCI pci;
    ValueSources sources{&pci, query, [] { return std::string("9.8"); }};

    EXPECT_EQ("FoundVersion=\"7.2.0.16\";FoundName=\"Zarnik WaveLink 310\";"
              "\r\nNoneVersion=\"\";\r\nNoneName=\"\";"
              "\r\nOddVersion=\"4.0.0.0\";"
              "\r\nOddName=\"Odd \\\"Mini PCI\\\" C:\\\\x\\x09end\\x0A\\u007F\";"
              "\r\nUTILITY_VERSION =\"9.8\";",
              EvaluateVariables("Found = DRIVER(net, DEV_0001);"
                                "\r\nNone = DRIVER(net, DEV_0009);"
                                "\r\nOdd = DRIVER(net, DEV_0004);"
                                "\r\nUTILITY_VERSION = ;",
                                sources));
    EXPECT_TRUE(pci.reads.empty());
}

// The word PCI right after the "=", UTILITY_VERSION anywhere; the text in
// front of the name, comment lines too, is repeated.
TEST(EvaluateVariables, FormOfTheStatementAndItsLead) {
    EXPECT_EQ("X =0x12345678;", Evaluate("X =PCI(0,0,0,0);"));
    EXPECT_EQ("", Evaluate("X =  PCI(0,0,0,0);"));
    EXPECT_EQ("\r\n// bridge\r\nX =0x12345678;", Evaluate("\r\n// bridge\r\nX = PCI(0,0,0,0);"));
    const std::string quoted = "\"" + ownVersion + "\";";
    EXPECT_EQ("UTILITY_VERSION =" + quoted, Evaluate("UTILITY_VERSION = ;"));
    EXPECT_EQ("MY_UTILITY_VERSION =" + quoted, Evaluate("MY_UTILITY_VERSION = PCI(0,0,0,0);"));
    EXPECT_EQ("\r\n// UTILITY_VERSION\r\nX =" + quoted,
              Evaluate("\r\n// UTILITY_VERSION\r\nX = 1;"));
}

TEST(EvaluateVariables, BitRanges) {
    EXPECT_EQ("X =0x5678;", Evaluate("X = PCI(0,0,0,0[0:15]);"));
    EXPECT_EQ("X =0x5678;", Evaluate("X = PCI(0,0,0,0)[15:0];"));
    EXPECT_EQ("X =0xFFFFFFFF;", Evaluate("X = PCI(0,0,0,0);", 0xFFFFFFFF));
}

// The address as read from the numbers; a bracket before the word leaves
// nothing to read.
TEST(EvaluateVariables, AddressNumbers) {
    RecordingPCI pci;
    EXPECT_EQ("X =0x0;", Evaluate("X =[PCI(1,2,3,4)];", pci));
    Evaluate("A = PCI(0,30,0,8[3:0]);B = PCI( 1, 2 ,3, 4);C = PCI(0,256,0,0);D = PCI(5,6);", pci);
    EXPECT_EQ((std::vector<PciAddress>{{0, 30, 0, 8}, {1, 2, 3, 4}, {0, 0, 0, 0}, {5, 6, 0, 0}}),
              pci.reads);
}

TEST(EvaluateVariables, TextThatMakesNoAssignment) {
    RecordingPCI pci;
    EXPECT_EQ("", Evaluate("", pci));
    EXPECT_EQ("", Evaluate("X = PCI(0,0,0,0)", pci)); // no semicolon
    EXPECT_EQ("", Evaluate(";;", pci));
    EXPECT_EQ("", Evaluate("X = 5;\r\nY = \"text\";", pci));
    EXPECT_EQ("", Evaluate("PCI(0,0,0,0);UTILITY_VERSION;", pci)); // no "="
    EXPECT_EQ("X =0x0;", Evaluate("X = PCI(0,0,0,0);\r\n", pci));  // the tail is dropped
    EXPECT_EQ(1u, pci.reads.size());
}

// A PCI value with nothing after its letters throws before anything is
// read; a read error passes through and ends the evaluation.
TEST(EvaluateVariables, ErrorsPassThrough) {
    RecordingPCI pci;
    EXPECT_THROW(Evaluate("X = PCI;", pci), std::out_of_range);
    EXPECT_THROW(Evaluate("X = PCI[3:0];", pci), std::out_of_range);
    EXPECT_TRUE(pci.reads.empty());
    pci.failAt = 1;
    EXPECT_THROW(Evaluate("A = PCI(0,0,0,0);B = PCI(0,1,0,0);C = PCI(0,2,0,0);", pci),
                 Except_Driver);
    EXPECT_EQ(2u, pci.reads.size());
}
