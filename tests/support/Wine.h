// Whether the tests run under Wine, for the few expectations that hold only
// because Wine answers that way, and the checks only real Windows can make.
#pragma once

// True when ntdll exports wine_get_version.
bool RunningUnderWine();
