// Versions of the drivers installed for the present devices of one setup
// class whose instance identifier contains a given text.
#pragma once

#include "win/SetupApi.h"

#include <string>

// The version texts ("major.minor.build.revision") of every driver entry of
// every matching device, joined by ", ", behind the marker
// "(Multiple driver versions detected) " when a device lists more than one.
// `description` receives the description of the last entry read and is left
// alone when there is none. A device listing that fails partway throws
// Except_NoAccess; every other failure, a missing library included, gives
// the empty text.
std::string QueryDriverVersion(std::string className, std::string hardwareId,
                               std::string& description);

// The same query through the given entry points; an incomplete table gives
// the empty text.
std::string QueryDriverVersion(const SetupApi& api, const std::string& className,
                               const std::string& hardwareId, std::string& description);
