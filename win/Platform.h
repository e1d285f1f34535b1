// Which Windows this is, as the version query answers. Without an answer
// (which no release gives) it is taken for NT, whose checks are the stricter.
#pragma once

// Any NT release; false on Windows 95, 98 and ME.
bool IsNT();
// NT 5.0 and later: reparse points (junctions, links), inherited rights.
bool IsWindows2000OrLater();
// NT 6.0 and later: elevated and unelevated tokens of one user.
bool IsVistaOrLater();
