// This test program's place, and the resources an executable carries.
#pragma once

#include <windows.h>

#include <string>

// The file `name` in the directory of this executable.
std::string BesideThisTest(const std::string& name);

// The bytes of the resource in `file` (nullptr: this executable); empty
// when it has none such.
std::string ResourceBytes(const char* file, LPCSTR type, LPCSTR name);

// The PCIUtil driver image that `file` carries (nullptr: this
// executable, which the build gives the same image as the program).
std::string DriverImage(const char* file = nullptr);
