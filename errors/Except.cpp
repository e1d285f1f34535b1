#include "errors/Except.h"

#include "errors/Log.h"

#include <cstdio>
#include <string>

namespace {

// The system's text for an error code, or its number where it has none.
std::string SystemText(DWORD code) {
    char message[256];
    DWORD len =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), message, sizeof message, nullptr);
    if (len == 0)
        snprintf(message, sizeof message, "error %lu", code);
    return message;
}

} // namespace

Except_Base::Except_Base(const char* title, const char* source) : title(title), source(source) {}

Except_Base::Except_Base(const char* title, const char* source, const char* fmt, ...)
    : title(title), source(source) {
    va_list args;
    va_start(args, fmt);
    FormatDescV(fmt, args);
    va_end(args);
}

void Except_Base::FormatDesc(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    FormatDescV(fmt, args);
    va_end(args);
}

void Except_Base::FormatDescV(const char* fmt, va_list args) {
    // A longer description is cut at the buffer's end.
    char buf[1024];
    vsnprintf(buf, sizeof buf, fmt, args);
    buf[sizeof buf - 1] = '\0';
    desc = buf;

    LogPrintf("%s\n", title.c_str());
    LogPrintf("   source - %s\n", source.c_str());
    LogPrintf("   desc - %s\n", desc.c_str());
    SYSTEMTIME now;
    GetLocalTime(&now);
    LogPrintf("   time - %d:%02d:%02d\n\n", now.wHour, now.wMinute, now.wSecond);
}

Except_File::Except_File(const char* title, const char* source, const char* fmt, ...)
    : Except_Base(title, source) {
    va_list args;
    va_start(args, fmt);
    FormatDescV(fmt, args);
    va_end(args);
}

Except_FileWriteError::Except_FileWriteError(const char* source, const char* fileName)
    : Except_File("Write error", source, "Error writing to file %s", fileName) {}

Except_Driver::Except_Driver(const char* source, const char* text, DWORD code)
    : Except_Base("Driver error", source) {
    FormatDesc("%s (%s)", text, SystemText(code).c_str());
}

Except_NoAccess::Except_NoAccess(const char* source, const char* text)
    : Except_Base("No access Exception", source, "%s", text) {}

Except_BadExec::Except_BadExec(const char* source, const char* fileName)
    : Except_Base("Bad executable", source, "Unable to parse %s as file", fileName) {}

Except_BadExec::Except_BadExec(const char* source, const char* fileName, DWORD code)
    : Except_Base("Bad executable", source) {
    FormatDesc("Unable to start %s (%s)", fileName, SystemText(code).c_str());
}

Except_MissingResource::Except_MissingResource(const char* source, LPCSTR type, LPCSTR name)
    : Except_Base("Missing resource", source) {
    static const char what[] = "Unable to find resource";
    // The platform's rule: no bits above the low 16 means an integer id.
    int typeId = static_cast<int>(reinterpret_cast<ULONG_PTR>(type));
    int nameId = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    if (IS_INTRESOURCE(type) && IS_INTRESOURCE(name))
        FormatDesc("%s (type: %d, id: %d)", what, typeId, nameId);
    else if (IS_INTRESOURCE(type))
        FormatDesc("%s (type: %d, name: \"%s\")", what, typeId, name);
    else if (IS_INTRESOURCE(name))
        FormatDesc("%s (type: \"%s\", id: %d)", what, type, nameId);
    else
        FormatDesc("%s (type: \"%s\", name: \"%s\")", what, type, name);
}
