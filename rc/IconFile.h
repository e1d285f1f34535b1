// An icon of the program's resources as the bytes of an .ico file, for a
// page that names its icon by file.
#pragma once

#include "rc/RcLdr.h"

#include <windows.h>

#include <string>

// The icon group `name` and its images: the group's header, each entry with
// the offset of its image in the file where the group has the image's id,
// then the images in the group's order. Throws Except_MissingResource when
// the group or one of its images is missing, or the group is cut short.
std::string IconFile(RcLdr& loader, LPCSTR name);
