#include "rc/RcRes.h"

#include "errors/Except.h"

RcRes::RcRes(HMODULE module, LPCSTR type, LPCSTR name) {
    Load(module, type, name);
}

void RcRes::Load(HMODULE module, LPCSTR type, LPCSTR name) {
    Release();
    resource = FindResourceA(module, name, type);
    if (!resource)
        throw Except_MissingResource("RcRes::Load", type, name);
    // In a data-file mapping the loaded handle is the bytes' address.
    data = static_cast<const unsigned char*>(LoadResource(module, resource));
    size = SizeofResource(module, resource);
}

void RcRes::Release() {
    if (!resource)
        return;
    FreeResource(const_cast<unsigned char*>(data));
    data = nullptr;
    resource = nullptr;
    size = 0;
}
