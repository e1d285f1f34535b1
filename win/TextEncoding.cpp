#include "win/TextEncoding.h"

#include <windows.h>

#include <vector>

WideString AnsiToWide(const std::string& text) {
    if (text.empty())
        return WideString();
    int length = int(text.size());
    int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (units <= 0)
        return WideString();
    std::vector<wchar_t> wide(units);
    units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), units);
    return units > 0 ? WideString(wide.data(), units) : WideString();
}

std::string AnsiToUtf8(const std::string& text) {
    WideString wide = AnsiToWide(text);
    return Utf16ToUtf8(wide.data(), wide.size());
}

std::string Utf16ToUtf8(const wchar_t* units, size_t count) {
    if (count == 0)
        return std::string();
    // Windows 98 and NT 4.0 convert to UTF-8 as well as later releases do.
    int length = int(count);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, units, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::vector<char> utf8(bytes);
    bytes = WideCharToMultiByte(CP_UTF8, 0, units, length, utf8.data(), bytes, nullptr, nullptr);
    return bytes > 0 ? std::string(utf8.data(), bytes) : std::string();
}
