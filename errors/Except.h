// The exception family: every failure that ends an operation is thrown as
// one of these, by value. Each carries a title, the raising operation
// ("Class::Operation") and a printf-formatted description, and writes one
// record to the error log when it is constructed (never when copied).
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class Except_Base {
public:
    Except_Base(const char* title, const char* source);
    Except_Base(const char* title, const char* source, const char* fmt, ...)
        __attribute__((format(printf, 4, 5)));

    const char* GetTitle() const { return title.c_str(); }
    const char* GetSource() const { return source.c_str(); }
    const char* GetDesc() const { return desc.c_str(); }

protected:
    void FormatDesc(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void FormatDescV(const char* fmt, va_list args);

    std::string title;
    std::string source;
    std::string desc;
};

class Except_File : public Except_Base {
public:
    Except_File(const char* title, const char* source, const char* fmt, ...)
        __attribute__((format(printf, 4, 5)));
};

class Except_FileWriteError : public Except_File {
public:
    Except_FileWriteError(const char* source, const char* fileName);
};

class Except_Driver : public Except_Base {
public:
    Except_Driver(const char* source, const char* text, DWORD code);
};

class Except_NoAccess : public Except_Base {
public:
    Except_NoAccess(const char* source, const char* text);
};

class Except_BadExec : public Except_Base {
public:
    // The file can't be read as a program.
    Except_BadExec(const char* source, const char* fileName);
    // The program can't be started, for the reason the system's `code` gives.
    Except_BadExec(const char* source, const char* fileName, DWORD code);
};

class Except_MissingResource : public Except_Base {
public:
    // type and name: a text, or an integer id as MAKEINTRESOURCEA makes it.
    Except_MissingResource(const char* source, LPCSTR type, LPCSTR name);
};
