#include "win/NewFile.h"

#include "win/DeleteOpenFile.h"
#include "win/Handle.h"
#include "win/Platform.h"

namespace {

// The file's volume and index, which no other file has.
bool SameFile(HANDLE file, DWORD volume, DWORD indexHigh, DWORD indexLow) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(file, &info) && info.dwVolumeSerialNumber == volume &&
           info.nFileIndexHigh == indexHigh && info.nFileIndexLow == indexLow;
}

// A link is opened itself, never followed. Only Windows 2000 and later
// know links, and the flag: older releases refuse it.
DWORD LinkItself() {
    return IsWindows2000OrLater() ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
}

} // namespace

bool NewFile::Create(const std::string& name, const std::string& bytes, PrivateSecurity* security) {
    Delete();
    path = name;
    std::optional<PrivateSecurity> own;
    if (!security)
        security = &own.emplace();
    if (!security->Valid())
        return false;
    // Any existing name fails the create, a link's too.
    Handle writer(CreateFileA(path.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                              security->Attributes(), CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | LinkItself(), nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    // Without its identity the file couldn't be told from one put in its
    // place: it is left, empty, rather than risk deleting another.
    if (!writer.Valid() || !GetFileInformationByHandle(writer.Get(), &info))
        return false;
    made = true;
    volume = info.dwVolumeSerialNumber;
    indexHigh = info.nFileIndexHigh;
    indexLow = info.nFileIndexLow;

    DWORD put = 0;
    bool written = WriteFile(writer.Get(), bytes.data(), DWORD(bytes.size()), &put, nullptr) &&
                   put == bytes.size();
    // From writer to holder through a reader that lets the writer finish but
    // nobody rename or delete the file; the holder lets no writer in.
    Handle reader(written
                      ? CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, LinkItself(), nullptr)
                      : INVALID_HANDLE_VALUE);
    writer.Close();
    if (reader.Valid())
        held.emplace(path.c_str(), reinterpret_cast<const unsigned char*>(bytes.data()),
                     DWORD(bytes.size()));
    reader.Close();
    if (Held() && SameFile(held->Get(), volume, indexHigh, indexLow))
        return true;
    Delete();
    return false;
}

void NewFile::Delete() {
    held.reset();
    if (!made)
        return;
    made = false;
    // Found by name again, so it must prove to be the file made here.
    Handle file(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, LinkItself(), nullptr));
    if (file.Valid() && SameFile(file.Get(), volume, indexHigh, indexLow))
        DeleteOpenFile(file, path);
}
