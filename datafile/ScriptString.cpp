#include "datafile/ScriptString.h"

#include "win/Ascii.h"
#include "win/TextEncoding.h"

std::string ScriptString(const std::string& text, bool forInlineScript) {
    // Read in the code page the text came in: the second byte of a
    // double-byte character may look like a quote or a backslash. What
    // comes out is ASCII, which every code page reads alike.
    WideString units = AnsiToWide(text);
    std::string out;
    out.reserve(units.size());
    for (wchar_t c : units) {
        unsigned unit = static_cast<unsigned short>(c);
        if (unit == '\\' || unit == '"') {
            out += '\\';
            out += char(unit);
        } else if (unit < 0x20 || (forInlineScript && unit == '<')) {
            out += "\\x";
            AppendHex(out, unit, 2);
        } else if (unit < 0x7F) {
            out += char(unit);
        } else {
            out += "\\u";
            AppendHex(out, unit, 4);
        }
    }
    return out;
}
