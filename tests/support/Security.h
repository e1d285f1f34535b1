// Whom an object's security lets in.
#pragma once

#include <windows.h>

#include <set>
#include <string>

// The SID as text ("S-1-5-18"); "?" when it can't be had.
std::string SidText(PSID sid);
// The SID of the account this process runs as, as text.
std::string OwnSid();

// The SIDs that the DACL of the file or device `path`, or of a descriptor,
// has an allowing entry for; none when it has no DACL, or a NULL one, or
// can't be read.
std::set<std::string> AllowedSids(const std::string& path);
std::set<std::string> AllowedSids(PSECURITY_DESCRIPTOR sd);
