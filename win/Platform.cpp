#include "win/Platform.h"

#include <windows.h>

namespace {

struct Release {
    bool nt = true;
    DWORD major = 0;
};

Release Ask() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    Release release;
    if (GetVersionExA(&info)) {
        release.nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
        release.major = info.dwMajorVersion;
    }
    return release;
}

const Release& This() {
    static const Release release = Ask();
    return release;
}

} // namespace

bool IsNT() {
    return This().nt;
}

bool IsWindows2000OrLater() {
    return This().nt && This().major >= 5;
}

bool IsVistaOrLater() {
    return This().nt && This().major >= 6;
}
