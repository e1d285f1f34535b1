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

// The security calls, looked up where they run: Windows 9x has no use for them.
struct SecurityApi {
    decltype(&::OpenProcessToken) OpenProcessToken;
    decltype(&::GetTokenInformation) GetTokenInformation;
    decltype(&::GetLengthSid) GetLengthSid;
    decltype(&::InitializeAcl) InitializeAcl;
    decltype(&::AddAccessAllowedAce) AddAccessAllowedAce;
    decltype(&::InitializeSecurityDescriptor) InitializeSecurityDescriptor;
    decltype(&::SetSecurityDescriptorDacl) SetSecurityDescriptorDacl;

    explicit SecurityApi(const SystemLibrary& library) {
        library.Resolve("OpenProcessToken", OpenProcessToken);
        library.Resolve("GetTokenInformation", GetTokenInformation);
        library.Resolve("GetLengthSid", GetLengthSid);
        library.Resolve("InitializeAcl", InitializeAcl);
        library.Resolve("AddAccessAllowedAce", AddAccessAllowedAce);
        library.Resolve("InitializeSecurityDescriptor", InitializeSecurityDescriptor);
        library.Resolve("SetSecurityDescriptorDacl", SetSecurityDescriptorDacl);
    }
    bool Complete() const {
        return OpenProcessToken && GetTokenInformation && GetLengthSid && InitializeAcl &&
               AddAccessAllowedAce && InitializeSecurityDescriptor && SetSecurityDescriptorDacl;
    }
};

} // namespace

PrivateSecurity::PrivateSecurity() : nt(IsNT()) {
    valid = !nt || Build();
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = &descriptor;
}

bool PrivateSecurity::Build() {
    SystemLibrary library("advapi32.dll");
    SecurityApi api(library);
    if (!api.Complete())
        return false;

    // The account the program runs as: its token's user.
    HANDLE token = nullptr;
    if (!api.OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    Handle owned(token);
    DWORD size = 0;
    api.GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size < sizeof(TOKEN_USER))
        return false;
    user.resize(size);
    if (!api.GetTokenInformation(token, TokenUser, user.data(), size, &size))
        return false;
    PSID sids[] = {reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &localSystem,
                   &administrators};

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
    return api.InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
           api.SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE);
}
