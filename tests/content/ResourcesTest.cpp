// The resources that the program links from content/: byte for byte as the
// files in the source tree.
#include "SysReportVersion.h"
#include "driver/PCIUtilIoctl.h"
#include "rc/IconFile.h"
#include "rc/RcLdr.h"

#include "support/Program.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The icon, written out for the page to name, is the shipped file again. A
// driver image linked from a resource object of its own ends up beside them,
// as it does in the program.
TEST(Resources, ShippedFilesAndTheDriverImage) {
    const std::string dir = CONTENT_DIR, data = ResourceBytes(nullptr, "DATAFILE", "INPUT_FILE");
    EXPECT_EQ(ReadFileBytes(dir + "SysReport.dat"), data);
    EXPECT_NE(std::string::npos, data.find("\r\n/*ENDVARS*/\r\n"));
    EXPECT_EQ(ReadFileBytes(dir + "SysReport.hta"),
              ResourceBytes(nullptr, "HTMLFILE", "OUTPUT_FILE"));
    RcLdr ldr(GetModuleHandleA(nullptr));
    EXPECT_EQ(ReadFileBytes(dir + "SysReport.ico"), IconFile(ldr, MAKEINTRESOURCEA(1)));
    EXPECT_EQ("driver image stand-in", DriverImage());
}

TEST(Resources, ProductVersionUnderUsEnglishUnicode) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &handle));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(path, handle, block.size(), block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\ProductVersion", &value,
                               &length));
    EXPECT_STREQ(SYSREPORT_VERSION, static_cast<const char*>(value));
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x04B00409u, *static_cast<const DWORD*>(value));
}

TEST(Resources, ProgramIconHasBothSizes) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(self, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    PBYTE dir = static_cast<PBYTE>(LockResource(LoadResource(self, group)));
    for (int size : {16, 32}) {
        int id = LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), RT_ICON);
        ASSERT_NE(nullptr, image) << size;
        // The header of the image names the size (height doubled for the mask).
        const BITMAPINFOHEADER* bmp =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(self, image)));
        EXPECT_EQ(size, bmp->biWidth);
        EXPECT_EQ(2 * size, bmp->biHeight);
    }
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
