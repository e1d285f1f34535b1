// What the tests that load a driver look at: services by name, through the
// platform's real service manager, and the PCIUtil driver's device.
#pragma once

#include <windows.h>

#include <string>

// Registers a demand-start kernel-driver service for imagePath and, if asked,
// starts it. Answers whether all of that worked.
bool InstallService(const char* name, const std::string& imagePath, bool start);
bool StartNamedService(const char* name);
bool StopNamedService(const char* name);
// Stops and deletes the service; a missing one is fine.
void RemoveService(const char* name);
// SERVICE_RUNNING, SERVICE_STOPPED ..., or 0 when there is no such service.
DWORD ServiceState(const char* name);
// The image path as the service manager spells it; empty when there is none.
std::string ServiceImagePath(const char* name);

// \\.\PCIUtil opened for no access: the one open the driver admits.
HANDLE OpenPCIUtil();
