// A file made under a free name and written in one go, then held for reading
// only: others may read it, nobody can change, rename or delete it. Deleted
// again when the object goes, if the name still leads to that very file. On
// NT only those its security names may open it at all.
#pragma once

#include "win/HeldFile.h"
#include "win/PrivateSecurity.h"

#include <windows.h>

#include <optional>
#include <string>

class NewFile {
public:
    NewFile() = default;
    ~NewFile() { Delete(); }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // False when anything bears the name already (a link included), or the
    // bytes can't be written and held; nothing made here remains then.
    // Deletes the file made before, if any. Made with `security`, or
    // without it open to the account running the program, SYSTEM and
    // Administrators.
    bool Create(const std::string& path, const std::string& bytes,
                PrivateSecurity* security = nullptr);
    bool Held() const { return held && held->Held(); }
    // Deletes what Create made, nothing else.
    void Delete();

private:
    std::string path;
    std::optional<HeldFile> held;
    bool made = false;
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
};
