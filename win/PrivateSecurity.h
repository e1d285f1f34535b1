// Security for the report's folder and files: only SYSTEM, Administrators
// and, unless the run is elevated, the account running the program may open
// them. Without it they would inherit their folder's rights; before Vista
// another user who may write there could then map a file for writing, which
// the program's read-only sharing does not stop. The rights are protected:
// nothing from a folder above is ever inherited.
#pragma once

#include <windows.h>

#include <vector>

class PrivateSecurity {
public:
    // Who may open what is made with it besides SYSTEM and Administrators.
    enum For {
        Account,       // the account running the program (its token's user)
        Administrators // nobody else; Administrators own it, whatever the
                       // token would make the owner
    };

    // Builds the descriptor on NT; Windows 9x has no file security.
    explicit PrivateSecurity(For whom = Account);
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;

    // False on NT when the descriptor could not be built: then nothing
    // should be created with it.
    bool Valid() const { return valid; }
    // What to create the file with: null on Windows 9x.
    SECURITY_ATTRIBUTES* Attributes() { return nt ? &attributes : nullptr; }

private:
    bool Build(For whom);

    bool nt = false;
    bool valid = false;
    std::vector<BYTE> user, acl;
    SECURITY_DESCRIPTOR descriptor = {};
    SECURITY_ATTRIBUTES attributes = {};
};

// The program runs with an elevated token: Vista and later, where the
// token answers so; false wherever it can't be asked.
bool RunsElevated();
