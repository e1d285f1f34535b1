#include "datafile/FileVersionInfo.h"

#include <cstring>
#include <string>

FileVersionInfo::FileVersionInfo(HMODULE module) {
    library.Resolve("GetFileVersionInfoSizeA", getInfoSize);
    library.Resolve("GetFileVersionInfoA", getInfo);
    library.Resolve("VerQueryValueA", queryValue);
    // A name that fills the buffer may have been cut short; try a larger one.
    std::string name(256, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(module, &name[0], static_cast<DWORD>(name.size()));
        if (length == 0)
            return;
        if (length < name.size() || name.size() >= 32768) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    LoadFromFile(name.c_str());
}

void FileVersionInfo::LoadFromFile(const char* fileName) {
    block.reset();
    if (!getInfoSize || !getInfo || !queryValue)
        return;
    DWORD handle = 0;
    DWORD size = getInfoSize(fileName, &handle);
    if (size == 0)
        return;
    std::unique_ptr<char[]> read(new char[size]());
    // A block that could not be read must not be searched.
    if (!getInfo(fileName, handle, size, read.get()))
        return;
    block = std::move(read);
    SetDefaultTranslation();
}

void FileVersionInfo::SetTranslation(WORD language, WORD codePage) {
    wsprintfA(queryPath, "\\StringFileInfo\\%04X%04X\\", language, codePage);
    prefixLength = static_cast<WORD>(lstrlenA(queryPath));
}

void FileVersionInfo::SetDefaultTranslation() {
    SetTranslation(0x0409, 0x04B0);
}

const char* FileVersionInfo::QueryString(const char* name) {
    if (!block)
        return nullptr;
    size_t length = std::strlen(name);
    if (prefixLength + length >= sizeof queryPath)
        return nullptr;
    std::memcpy(queryPath + prefixLength, name, length + 1);

    void* value = nullptr;
    UINT found = 0;
    if (!queryValue(block.get(), queryPath, &value, &found))
        return nullptr;
    valueLength = found;
    return static_cast<const char*>(value);
}

std::string OwnProductVersion() {
    FileVersionInfo info(nullptr);
    const char* version = info.QueryString("ProductVersion");
    return version ? version : "";
}
