// Texts from the machine as they enter the generated script.
#pragma once

#include <string>

// `text`, in the ANSI code page, as the inside of a double-quoted script
// string made of printable ASCII alone: backslash and double quote behind a
// backslash, every character below 0x20 as \xHH, and every one beyond
// printable ASCII as a \uHHHH for each of its UTF-16 code units (upper-case
// digits throughout). With `forInlineScript`, "<" as \x3C too: the string
// then can't end a script element that holds it inside a page ("</script")
// or start a comment there.
std::string ScriptString(const std::string& text, bool forInlineScript = false);
