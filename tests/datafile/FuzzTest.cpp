// Seeded random and mutated variable sections: whatever the text, the
// evaluator neither crashes nor throws, except std::out_of_range for a PCI
// value with nothing after its letters.
#include "win/Paths.h"

#include "RecordingPCI.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

namespace {

class Generator {
public:
    explicit Generator(uint32_t seed) : random(seed) {}

    std::string Section() {
        std::string text;
        for (int n = Below(6); n > 0; --n)
            text += Statement();
        for (int n = Below(5); n > 0; --n)
            Mutate(text);
        return text;
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    template <size_t N> const std::string& Pick(const std::string (&list)[N]) {
        return list[Below(N)];
    }

    std::string Number() {
        static const std::string numbers[] = {"0",  "1",  "8",    "15",  "16",
                                              "31", "32", "255",  "256", "-1",
                                              "+7", " 3", "0x1F", "",    "99999999999"};
        return Pick(numbers);
    }

    std::string Statement() {
        static const std::string leads[] = {"", "\r\n", "\r\n\r\n", "\r\n// note\r\n", "  ", "\n"};
        static const std::string names[] = {"VendorID", "Rev", "Nic", "X", ""};
        static const std::string equals[] = {" = ", " =", "=", " =  ", "= ", " "};
        std::string text =
            Pick(leads) + (Below(20) ? Pick(names) : "UTILITY_VERSION") + Pick(equals);
        // Few driver statements: each is a real query of the platform, which
        // costs about a millisecond here.
        int kind = Below(1000);
        if (kind < 2) {
            text += "DRIVER(" + std::string(Below(2) ? "net" : " net") + ", VEN_1A2B&DEV_" +
                    Number() + ")";
        } else if (kind < 30) {
            text += "PCI";
        } else if (kind < 130) {
            text += Below(2) ? "5" : "\"text\"";
        } else {
            text += "PCI(" + Number() + "," + Number() + "," + Number() + "," + Number();
            if (Below(2))
                text += "[" + Number() + (Below(2) ? ":" + Number() : "") + "]";
            text += ")";
            if (Below(4) == 0)
                text += "[" + Number() + ":" + Number() + "]";
        }
        return text + (Below(10) ? ";" : "");
    }

    void Mutate(std::string& text) {
        static const std::string pieces[] = {"PCI",  "PCI(",  "DRIVER(", "UTILITY_VERSION",
                                             "(",    ")",     "[",       "]",
                                             ":",    ",",     "=",       ";",
                                             ";;",   " ",     "\r\n",    "//",
                                             "0",    "9",     "-",       std::string(1, '\0'),
                                             "\xFF", "\x81\\"};
        size_t at = text.empty() ? 0 : size_t(Below(int(text.size()) + 1));
        switch (Below(4)) {
        case 0:
            text.insert(at, Pick(pieces));
            break;
        case 1:
            text.erase(at, size_t(Below(8)));
            break;
        case 2:
            if (at < text.size())
                text[at] = char(Below(256));
            break;
        default:
            text.insert(at, text.substr(at, size_t(Below(16))));
        }
    }

    std::mt19937 random;
};

// The only text that may throw: "PCI" ending a value's text before any "[".
bool MayLackPciArguments(const std::string& section) {
    return section.find("PCI;") != std::string::npos || section.find("PCI[") != std::string::npos;
}

} // namespace

TEST(EvaluateVariablesFuzz, RandomSectionsNeitherCrashNorThrow) {
    // Keeps the system's setup library loaded across the driver queries.
    HMODULE setupApi = LoadLibraryA(SystemFile("SetupApi.dll").c_str());

    Generator generate(20240611);
    RecordingPCI pci({0x12345678, 0xFFFFFFFF, 0});
    ValueSources sources = PlatformSources(pci);
    int produced = 0, outOfRange = 0;
    for (int i = 0; i < 100000; ++i) {
        std::string section = generate.Section();
        pci.reads.clear();
        try {
            if (!EvaluateVariables(section, sources).empty())
                ++produced;
        } catch (const std::out_of_range&) {
            ++outOfRange;
            EXPECT_TRUE(MayLackPciArguments(section)) << testing::PrintToString(section);
        } catch (...) {
            ADD_FAILURE() << "unexpected exception for " << testing::PrintToString(section);
        }
        if (HasFailure())
            break;
    }
    if (setupApi)
        FreeLibrary(setupApi);

    // The mix reaches both outcomes often.
    EXPECT_GT(produced, 50000);
    EXPECT_GT(outOfRange, 1000);
}
