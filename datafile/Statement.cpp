#include "datafile/Statement.h"

#include <utility>

namespace {

// Only the space character counts here.
std::string TrimSpaces(const std::string& text, bool front) {
    size_t last = text.find_last_not_of(' ');
    if (last == std::string::npos)
        return std::string();
    size_t first = front ? text.find_first_not_of(' ') : 0;
    return text.substr(first, last + 1 - first);
}

// The characters strictly between the first `open` and the first `close`:
// an absent `open` counts as standing before the text, an absent `close`
// (or one in front of `open`) as standing after it.
std::string Between(const std::string& text, char open, char close) {
    size_t from = text.find(open);
    from = from == std::string::npos ? 0 : from + 1;
    size_t to = text.find(close);
    if (to == std::string::npos || to < from)
        to = text.size();
    return text.substr(from, to - from);
}

} // namespace

Statement::Statement(std::string text) : text(std::move(text)), equals(this->text.find('=')) {}

StatementForm Statement::Form() const {
    if (equals == std::string::npos)
        return StatementForm::Other;
    if (text.find("UTILITY_VERSION") != std::string::npos)
        return StatementForm::UtilityVersion;
    if (text.substr(equals + 1, 4).find("PCI") != std::string::npos)
        return StatementForm::PCI;
    if (text.substr(equals + 1, 7).find("DRIVER") != std::string::npos)
        return StatementForm::Driver;
    return StatementForm::Other;
}

std::string Statement::DriverName() const {
    return TrimSpaces(text.substr(0, equals), false);
}

std::string Statement::DriverClass() const {
    return Between(text, '(', ',');
}

std::string Statement::DriverHardwareId() const {
    return TrimSpaces(Between(text, ',', ')'), true);
}
