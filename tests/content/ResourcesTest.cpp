// The resources that the program links from content/: found where the run
// sequence looks for them, byte for byte as the files in the source tree.
#include "SysReportVersion.h"
#include "driver/PCIUtilIoctl.h"
#include "rc/IconFile.h"
#include "rc/RcLdr.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Resource(LPCSTR type, LPCSTR name) {
    RcLdr ldr(GetModuleHandleA(nullptr));
    RcRes res;
    ldr.Load(res, type, name);
    return std::string(reinterpret_cast<const char*>(res.Data()), res.Size());
}

std::string SourceFile(const char* name) {
    return ReadFileBytes(std::string(CONTENT_DIR) + name);
}

// The version block of this test program, which carries the program's.
std::vector<char> VersionBlock() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &handle));
    if (!block.empty() && !GetFileVersionInfoA(path, handle, block.size(), block.data()))
        block.clear();
    return block;
}

} // namespace

TEST(Resources, DataFileIsTheShippedFile) {
    std::string data = Resource("DATAFILE", "INPUT_FILE");
    EXPECT_EQ(SourceFile("SysReport.dat"), data);
    EXPECT_NE(std::string::npos, data.find("\r\n/*ENDVARS*/\r\n"));
}

TEST(Resources, TemplateIsTheShippedFile) {
    EXPECT_EQ(SourceFile("SysReport.hta"), Resource("HTMLFILE", "OUTPUT_FILE"));
}

// Written out for the page to name, the icon is the shipped file again.
TEST(Resources, IconFileIsTheShippedFile) {
    RcLdr ldr(GetModuleHandleA(nullptr));
    EXPECT_EQ(SourceFile("SysReport.ico"), IconFile(ldr, MAKEINTRESOURCEA(1)));
}

TEST(Resources, ProductVersionUnderUsEnglishUnicode) {
    std::vector<char> block = VersionBlock();
    ASSERT_FALSE(block.empty());

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\ProductVersion", &value,
                               &length));
    EXPECT_STREQ(SYSREPORT_VERSION, static_cast<const char*>(value));

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    const WORD* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(0x04B0, translation[1]);
}

TEST(Resources, ProgramIconHasBothSizes) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(self, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    PBYTE dir = static_cast<PBYTE>(LockResource(LoadResource(self, group)));
    for (int size : {16, 32}) {
        int id = LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(0, id) << size;
        HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), RT_ICON);
        ASSERT_NE(nullptr, image) << size;
        // The header of the image names the size (height doubled for the mask).
        const BITMAPINFOHEADER* bmp =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self, image)));
        EXPECT_EQ(size, bmp->biWidth);
        EXPECT_EQ(2 * size, bmp->biHeight);
    }
}

// A driver image linked from a resource object of its own ends up beside
// the content's resources, as it does in the program.
TEST(Resources, SecondResourceObjectMergesWithThem) {
    EXPECT_EQ("driver image stand-in",
              Resource(PCIUTIL_RESOURCE_TYPE_TEXT, MAKEINTRESOURCEA(PCIUTIL_RESOURCE_ID)));
    EXPECT_FALSE(Resource("DATAFILE", "INPUT_FILE").empty());
}

// The platform's own manifest parser: a namespace or attribute it doesn't
// take leaves the default run level.
TEST(Resources, ManifestAsksForTheHighestAvailableLevel) {
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = GetModuleHandleA(nullptr);
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle) << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    SIZE_T size = 0;
    EXPECT_TRUE(QueryActCtxW(0, handle, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof level, &size));
    ReleaseActCtx(handle);
    EXPECT_EQ(ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE, level.RunLevel);
    EXPECT_EQ(0u, level.UiAccess);
}
