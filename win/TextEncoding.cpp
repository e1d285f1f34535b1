#include "win/TextEncoding.h"

#include <windows.h>

#include <vector>

namespace {

bool IsHighSurrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(unsigned unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    // The lead byte's marker and how many continuation bytes follow.
    unsigned lead = code < 0x800 ? 0xC0 : code < 0x10000 ? 0xE0 : 0xF0;
    int following = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    out += static_cast<char>(lead | (code >> (6 * following)));
    while (following-- > 0)
        out += static_cast<char>(0x80 | ((code >> (6 * following)) & 0x3F));
}

} // namespace

std::string AnsiToUtf8(const std::string& text) {
    if (text.empty())
        return text;
    int length = static_cast<int>(text.size());
    int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (units <= 0)
        return std::string();
    std::vector<wchar_t> wide(units);
    units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), units);
    return Utf16ToUtf8(wide.data(), units > 0 ? units : 0);
}

std::string Utf16ToUtf8(const wchar_t* units, size_t count) {
    std::string out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        unsigned unit = static_cast<unsigned short>(units[i]);
        if (IsHighSurrogate(unit) && i + 1 < count &&
            IsLowSurrogate(static_cast<unsigned short>(units[i + 1]))) {
            unsigned low = static_cast<unsigned short>(units[++i]);
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}
