#include "win/PrivateSecurity.h"

#include "win/Handle.h"
#include "win/Platform.h"
#include "win/SystemLibrary.h"

namespace {

// SYSTEM (S-1-5-18) and Administrators (S-1-5-32-544), spelled out.
struct WellKnownSid {
    BYTE revision;
    BYTE count;
    SID_IDENTIFIER_AUTHORITY authority;
    DWORD rids[2];
};
WellKnownSid localSystem = {SID_REVISION, 1, {SECURITY_NT_AUTHORITY}, {SECURITY_LOCAL_SYSTEM_RID}};
WellKnownSid administrators = {SID_REVISION,
                               2,
                               {SECURITY_NT_AUTHORITY},
                               {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}};

// The security calls, looked up where they run: Windows 9x has no use for
// them. SetSecurityDescriptorControl came with Windows 2000, and with it
// inherited rights; NT 4.0 has neither.
struct SecurityApi {
    decltype(&::OpenProcessToken) OpenProcessToken;
    decltype(&::GetTokenInformation) GetTokenInformation;
    decltype(&::GetLengthSid) GetLengthSid;
    decltype(&::InitializeAcl) InitializeAcl;
    decltype(&::AddAccessAllowedAce) AddAccessAllowedAce;
    decltype(&::InitializeSecurityDescriptor) InitializeSecurityDescriptor;
    decltype(&::SetSecurityDescriptorDacl) SetSecurityDescriptorDacl;
    decltype(&::SetSecurityDescriptorOwner) SetSecurityDescriptorOwner;
    decltype(&::SetSecurityDescriptorControl) SetSecurityDescriptorControl;

    explicit SecurityApi(const SystemLibrary& library) {
        library.Resolve("OpenProcessToken", OpenProcessToken);
        library.Resolve("GetTokenInformation", GetTokenInformation);
        library.Resolve("GetLengthSid", GetLengthSid);
        library.Resolve("InitializeAcl", InitializeAcl);
        library.Resolve("AddAccessAllowedAce", AddAccessAllowedAce);
        library.Resolve("InitializeSecurityDescriptor", InitializeSecurityDescriptor);
        library.Resolve("SetSecurityDescriptorDacl", SetSecurityDescriptorDacl);
        library.Resolve("SetSecurityDescriptorOwner", SetSecurityDescriptorOwner);
        library.Resolve("SetSecurityDescriptorControl", SetSecurityDescriptorControl);
    }
    bool Complete() const {
        return OpenProcessToken && GetTokenInformation && GetLengthSid && InitializeAcl &&
               AddAccessAllowedAce && InitializeSecurityDescriptor && SetSecurityDescriptorDacl &&
               SetSecurityDescriptorOwner;
    }
};

// The process's token, or an empty handle.
void OpenOwnToken(const SecurityApi& api, Handle& token) {
    HANDLE opened = nullptr;
    if (api.OpenProcessToken && api.OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened))
        token.Reset(opened);
}

} // namespace

PrivateSecurity::PrivateSecurity(For whom) : nt(IsNT()) {
    valid = !nt || Build(whom);
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = &descriptor;
}

bool PrivateSecurity::Build(For whom) {
    SystemLibrary library("advapi32.dll");
    SecurityApi api(library);
    if (!api.Complete())
        return false;

    std::vector<PSID> sids = {&localSystem, &administrators};
    if (whom == Account) {
        // The account the program runs as: its token's user.
        Handle token;
        OpenOwnToken(api, token);
        if (!token.Valid())
            return false;
        DWORD size = 0;
        api.GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
        if (size < sizeof(TOKEN_USER))
            return false;
        user.resize(size);
        if (!api.GetTokenInformation(token.Get(), TokenUser, user.data(), size, &size))
            return false;
        sids.insert(sids.begin(), reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid);
    }

    DWORD length = sizeof(ACL);
    for (PSID sid : sids)
        length += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + api.GetLengthSid(sid);
    acl.resize(length);
    PACL dacl = reinterpret_cast<PACL>(acl.data());
    if (!api.InitializeAcl(dacl, length, ACL_REVISION))
        return false;
    for (PSID sid : sids)
        if (!api.AddAccessAllowedAce(dacl, ACL_REVISION, FILE_ALL_ACCESS, sid))
            return false;
    if (!api.InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !api.SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE))
        return false;
    // An elevated token may name another owner by default (the user, or a
    // group of theirs), who could then change the rights.
    if (whom == Administrators &&
        !api.SetSecurityDescriptorOwner(&descriptor, &administrators, FALSE))
        return false;
    return !api.SetSecurityDescriptorControl ||
           api.SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
}

bool RunsElevated() {
    if (!IsVistaOrLater())
        return false;
    SystemLibrary library("advapi32.dll");
    SecurityApi api(library);
    Handle token;
    OpenOwnToken(api, token);
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    return token.Valid() && api.GetTokenInformation &&
           api.GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation,
                                   &size) &&
           elevation.TokenIsElevated != 0;
}
