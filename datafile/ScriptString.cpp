#include "datafile/ScriptString.h"

#include "win/TextEncoding.h"

namespace {

void AppendHex(std::string& out, const char* escape, unsigned value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    out += escape;
    while (digits-- > 0)
        out += hex[(value >> (4 * digits)) & 0xF];
}

} // namespace

std::string ScriptString(const std::string& text, bool forInlineScript) {
    // Read in the code page the text came in: the second byte of a
    // double-byte character may look like a quote or a backslash. What
    // comes out is ASCII, which every code page reads alike.
    std::wstring units = AnsiToWide(text);
    std::string out;
    out.reserve(units.size());
    for (wchar_t c : units) {
        unsigned unit = static_cast<unsigned short>(c);
        if (unit == '\\' || unit == '"') {
            out += '\\';
            out += char(unit);
        } else if (unit < 0x20 || (forInlineScript && unit == '<')) {
            AppendHex(out, "\\x", unit, 2);
        } else if (unit < 0x7F) {
            out += char(unit);
        } else {
            AppendHex(out, "\\u", unit, 4);
        }
    }
    return out;
}
