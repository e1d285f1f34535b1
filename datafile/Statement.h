// One statement of the variable section: the text between two semicolons,
// with whatever stands in front of its name (line breaks, blank lines,
// comment lines), which the generated assignments repeat.
#pragma once

#include <string>

enum class StatementForm { Other, UtilityVersion, PCI, Driver };

class Statement {
public:
    explicit Statement(std::string text);

    // The first matching rule wins: "UTILITY_VERSION" anywhere in the text;
    // "PCI" within the four characters after the first "="; "DRIVER" within
    // the seven after it. A text without "=" has no form.
    StatementForm Form() const;

    // Everything up to and including the first "=".
    std::string Head() const { return text.substr(0, equals + 1); }
    // Everything after the first "=".
    std::string Value() const { return text.substr(equals + 1); }

    // Of the DRIVER form: the text before the "=" less its trailing spaces;
    // the class, as written between the first "(" and the first ","; the
    // hardware-id text between the first "," and the first ")", less the
    // spaces at both ends.
    std::string DriverName() const;
    std::string DriverClass() const;
    std::string DriverHardwareId() const;

private:
    std::string text;
    size_t equals; // of the first "="; npos when there is none
};
