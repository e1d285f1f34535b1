#include "support/Wine.h"

#include <windows.h>

#include <cstring>

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

namespace {

std::string Path(const std::string& key) {
    return "Software\\Wine\\" + key;
}

// True when the key had neither values nor subkeys and is gone.
bool DeleteKeyIfEmpty(const std::string& key) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(key).c_str(), 0, KEY_QUERY_VALUE, &k) !=
        ERROR_SUCCESS)
        return false;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(k);
    return subkeys == 0 && values == 0 &&
           RegDeleteKeyA(HKEY_CURRENT_USER, Path(key).c_str()) == ERROR_SUCCESS;
}

} // namespace

bool SetWineSetting(const std::string& key, const char* name, const char* value) {
    HKEY k;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Path(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &k, nullptr) != ERROR_SUCCESS)
        return false;
    LONG set = RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(std::strlen(value) + 1));
    RegCloseKey(k);
    return set == ERROR_SUCCESS;
}

void ClearWineSetting(const std::string& key, const char* name) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(key).c_str(), 0, KEY_SET_VALUE, &k) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(k, name);
        RegCloseKey(k);
    }
    for (std::string at = key; DeleteKeyIfEmpty(at) && at.rfind('\\') != std::string::npos;)
        at.erase(at.rfind('\\'));
}
