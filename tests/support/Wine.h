// Whether the tests run under Wine, for the few expectations that hold only
// because Wine answers that way, and the checks only real Windows can make;
// and Wine's own settings, which some tests change for a while.
#pragma once

#include <string>

// True when ntdll exports wine_get_version.
bool RunningUnderWine();

// Sets the text value `name` of `key` under HKCU\Software\Wine, making the
// key as needed ("DllOverrides", "AppDefaults\\x.exe" ...).
bool SetWineSetting(const std::string& key, const char* name, const char* value);
// Deletes the value, then `key` and each key above it up to Software\Wine
// that it leaves empty.
void ClearWineSetting(const std::string& key, const char* name);
