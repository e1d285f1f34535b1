#include "support/Security.h"

#include <sddl.h>

#include <vector>

std::string SidText(PSID sid) {
    char* text = nullptr;
    std::string result = ConvertSidToStringSidA(sid, &text) ? text : "?";
    LocalFree(text);
    return result;
}

std::string OwnSid() {
    HANDLE token = nullptr;
    alignas(TOKEN_USER) char user[256];
    DWORD size = 0;
    bool ok = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
              GetTokenInformation(token, TokenUser, user, sizeof user, &size);
    CloseHandle(token);
    return ok ? SidText(reinterpret_cast<TOKEN_USER*>(user)->User.Sid) : "?";
}

std::set<std::string> AllowedSids(const std::string& path) {
    std::vector<char> sd(4096);
    DWORD size = 0;
    return GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, sd.data(), DWORD(sd.size()),
                            &size)
               ? AllowedSids(sd.data())
               : std::set<std::string>();
}

std::set<std::string> AllowedSids(PSECURITY_DESCRIPTOR sd) {
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    std::set<std::string> sids;
    if (GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted) && present && dacl)
        for (WORD i = 0; i < dacl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace;
            if (GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
                ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE)
                sids.insert(SidText(&ace->SidStart));
        }
    return sids;
}
