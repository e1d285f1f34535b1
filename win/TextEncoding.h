// Texts of the system's ANSI code page as UTF-8, for files that other
// programs read. Encoded here: the oldest systems the program runs on have
// no UTF-8 code page to convert to.
#pragma once

#include <cstddef>
#include <string>

// `text`, in the ANSI code page, as UTF-8. A byte the code page has no
// character for becomes what the system maps it to.
std::string AnsiToUtf8(const std::string& text);

// `count` UTF-16 code units as UTF-8: a surrogate pair as one character, a
// surrogate without its partner as U+FFFD.
std::string Utf16ToUtf8(const wchar_t* units, size_t count);
