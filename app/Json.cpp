#include "app/Json.h"

#include "win/Ascii.h"

#include <map>

namespace {

// `value`'s last `width` decimal digits, leading zeros included.
void AppendDigits(std::string& out, unsigned long value, int width) {
    char digits[10];
    for (int i = width; i-- > 0; value /= 10)
        digits[i] = static_cast<char>('0' + value % 10);
    out.append(digits, width);
}

std::string Decimal(uint32_t value) {
    int width = 1;
    for (uint32_t rest = value; rest >= 10; rest /= 10)
        ++width;
    std::string out;
    AppendDigits(out, value, width);
    return out;
}

void AppendMember(std::string& out, const char* name, const std::string& value) {
    out += "  \"";
    out += name;
    out += "\": ";
    out += value;
    out += ",\n";
}

} // namespace

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
        case '\\':
            out += '\\';
            out += c;
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\u00";
                AppendHex(out, byte, 2);
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string JsonReport(const JsonReportHead& head, const std::vector<JsonValue>& values) {
    std::vector<const JsonValue*> members;
    std::map<std::string, size_t> places;
    for (const JsonValue& value : values) {
        auto place = places.emplace(value.name, members.size());
        if (place.second)
            members.push_back(&value);
        else
            members[place.first->second] = &value;
    }

    std::string out = "{\n";
    AppendMember(out, "format", "1");
    AppendMember(out, "utility", JsonString("SysReport"));
    AppendMember(out, "version", JsonString(head.version));
    AppendMember(out, "computer", JsonString(head.computer));
    AppendMember(out, "time", JsonString(head.time));
    AppendMember(out, "access", JsonString(head.access));
    out += "  \"values\": {";
    for (size_t i = 0; i < members.size(); ++i) {
        const JsonValue& value = *members[i];
        out += i ? ",\n    " : "\n    ";
        out += JsonString(value.name);
        out += ": ";
        out += value.isNumber ? Decimal(value.number) : JsonString(value.text);
    }
    out += members.empty() ? "}\n}\n" : "\n  }\n}\n";
    return out;
}

std::string UtcTimestamp(const SYSTEMTIME& time) {
    const struct {
        WORD value;
        int width;
        char after;
    } fields[] = {{time.wYear, 4, '-'}, {time.wMonth, 2, '-'},  {time.wDay, 2, 'T'},
                  {time.wHour, 2, ':'}, {time.wMinute, 2, ':'}, {time.wSecond, 2, 'Z'}};
    std::string out;
    for (const auto& field : fields) {
        AppendDigits(out, field.value, field.width);
        out += field.after;
    }
    return out;
}
