#include "rc/IconFile.h"

#include "errors/Except.h"

namespace {

// The header both forms share: reserved, type (1 for icons), count.
constexpr size_t headerSize = 6;
// An entry's fields before the id or offset: width, height, colours,
// reserved, planes, bits per pixel, image size.
constexpr size_t entryFields = 12;
constexpr size_t groupEntrySize = entryFields + 2; // then a 16-bit id
constexpr size_t fileEntrySize = entryFields + 4;  // then a 32-bit offset

void PutDword(std::string& bytes, size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> 8 * i & 0xFF);
}

} // namespace

std::string IconFile(RcLdr& loader, LPCSTR name) {
    RcRes group;
    loader.Load(group, RT_GROUP_ICON, name);
    const unsigned char* dir = group.Data();
    size_t count = dir && group.Size() >= headerSize ? dir[4] | dir[5] << 8 : 0;
    if (!dir || group.Size() < headerSize + count * groupEntrySize)
        throw Except_MissingResource("IconFile", RT_GROUP_ICON, name);

    std::string file(reinterpret_cast<const char*>(dir), headerSize);
    std::string images;
    size_t offset = headerSize + count * fileEntrySize;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* entry = dir + headerSize + i * groupEntrySize;
        RcRes image;
        LPCSTR id = MAKEINTRESOURCEA(entry[12] | entry[13] << 8);
        loader.Load(image, RT_ICON, id);
        if (!image.Data())
            throw Except_MissingResource("IconFile", RT_ICON, id);
        size_t at = file.size();
        file.append(reinterpret_cast<const char*>(entry), entryFields);
        file.append(4, '\0');
        // The image's own size, should the group's entry say otherwise.
        PutDword(file, at + 8, image.Size());
        PutDword(file, at + entryFields, DWORD(offset + images.size()));
        images.append(reinterpret_cast<const char*>(image.Data()), image.Size());
    }
    return file + images;
}
