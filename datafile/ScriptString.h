// Texts from the machine as they enter the generated script.
#pragma once

#include <string>

// The bytes of `text` as the inside of a double-quoted script string:
// backslash and double quote behind a backslash, every byte below 0x20 as
// \xHH (upper-case digits), every other byte as it is. With
// `forInlineScript`, "<" as \x3C too: the string then can't end a script
// element that holds it inside a page ("</script") or start a comment there.
std::string ScriptString(const std::string& text, bool forInlineScript = false);
