// A folder of one run's own for the files that a program it starts reads by
// name. Made new under a name of its own ("SysReport." and eight hex
// digits): in the Windows folder's Temp when the program runs elevated on
// Vista and later, else in the account's temporary folder. On NT only
// SYSTEM, Administrators and, unless the run is elevated, the account
// running it may open the folder or the files made in it with its security.
// Held while the object lives, so that neither the folder nor one above it
// can be renamed (Windows 9x has nothing to hold it with); removed with it.
#pragma once

#include "win/Handle.h"
#include "win/PrivateSecurity.h"

#include <windows.h>

#include <optional>
#include <string>

class ReportFolder {
public:
    ReportFolder() = default;
    ~ReportFolder() { Remove(); }
    ReportFolder(const ReportFolder&) = delete;
    ReportFolder& operator=(const ReportFolder&) = delete;

    // Makes and holds a new folder, after removing the one made before, if
    // any. False when none can be made; nothing is made then.
    bool Make();
    // The folder's full path; empty until it is made.
    const std::string& Path() const { return path; }
    // The full path of `name` inside it.
    std::string File(const char* name) const;
    // What to make the files inside it with; only once it is made.
    PrivateSecurity& Security() { return *security; }
    // Lets go of the folder and removes it if its name still leads to it
    // and it is empty; what it holds must go first.
    void Remove();

private:
    bool MakeAt(const std::string& candidate, bool& taken);

    std::string path;
    std::optional<PrivateSecurity> security;
    Handle hold;
    bool made = false;
    // The folder's file id on its volume, when the file system tells it.
    bool identified = false;
    LARGE_INTEGER id = {};
};
