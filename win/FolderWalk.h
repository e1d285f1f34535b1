// Reaching the folder a file is named in so that nobody can swap it while
// we work there: each folder on the way is opened relative to the one
// before it, and a junction or symbolic link among them is refused. What is
// then opened, made or renamed relative to the folder's handle happens in
// that very folder, whatever the names above it lead to by then. NT only:
// the native calls (win/Native.h) must be there.
#pragma once

#include "win/Handle.h"
#include "win/WideString.h"

#include <windows.h>

#include <string>

// Opens the folder `path` names a file in, for opening names relative to
// it; `name` gets the file's own name. `path` is relative to the current
// directory unless absolute: "C:\...", "\\server\share\...", either after
// "\\?\". False when a folder on the way is missing, denied or a link, or
// `path` names no file (it ends in a backslash, "." or "..").
bool OpenFolderOf(const std::string& path, Handle& folder, WideString& name);

// Whether what `file` is open on is a junction or a symbolic link: a
// reparse point whose tag stands for another name (a cloud placeholder,
// say, is not). Meant for handles opened with LinkItself() in their
// options; true when the tag of a reparse point can't be read.
bool IsLink(HANDLE file);

// The open option that opens a link itself, not what it leads to:
// FILE_OPEN_REPARSE_POINT from Windows 2000 on, nothing on NT 4.0, which
// has no reparse points.
ULONG LinkItself();
