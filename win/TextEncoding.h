// Texts of the system's ANSI code page as UTF-16, and as UTF-8 for files
// that other programs read.
#pragma once

#include "win/WideString.h"

#include <cstddef>
#include <string>

// `text`, in the ANSI code page, as UTF-16; empty when it can't be
// converted. A byte the code page has no character for becomes what the
// system maps it to.
WideString AnsiToWide(const std::string& text);

// `text`, in the ANSI code page, as UTF-8.
std::string AnsiToUtf8(const std::string& text);

// `count` UTF-16 code units as UTF-8.
std::string Utf16ToUtf8(const wchar_t* units, size_t count);
