// What the built Zelvora.exe carries: version, icon, manifest, and no console.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kProgram = std::string(ZELVORA_BIN_DIR) + "/Zelvora.exe";

class ProgramFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA(kProgram.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << kProgram;
    }
    void TearDown() override { FreeLibrary(module_); }
    HMODULE module_ = nullptr;
};

TEST_F(ProgramFile, CarriesFileVersion1001)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(kProgram.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(kProgram.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length));
    EXPECT_EQ(HIWORD(info->dwFileVersionMS), 1);
    EXPECT_EQ(LOWORD(info->dwFileVersionMS), 0);
    EXPECT_EQ(HIWORD(info->dwFileVersionLS), 0);
    EXPECT_EQ(LOWORD(info->dwFileVersionLS), 1);
    // The texts say the same, from the same one place.
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040704E4\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "1.0.0.1");
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040704E4\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "1.0.0.1");
}

TEST_F(ProgramFile, CarriesItsIconAndManifest)
{
    EXPECT_NE(FindResourceA(module_, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);           // RT_GROUP_ICON
    EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);  // RT_MANIFEST
    HICON icon = static_cast<HICON>(LoadImageA(module_, "MAINICON", IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(ProgramFile, IsAGuiProgramNeedingOnlySystemDlls)
{
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module_) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    // Mapped as an image resource, sections sit at their virtual addresses.
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    std::vector<std::string> dlls;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name; ++entry) {
        std::string name = reinterpret_cast<const char*>(base + entry->Name);
        CharLowerA(name.data());
        dlls.push_back(name);
    }
    EXPECT_GE(dlls.size(), 3u);
    for (const std::string& dll : dlls) {
        EXPECT_EQ(dll.find("libstdc++"), std::string::npos) << dll;
        EXPECT_EQ(dll.find("libgcc"), std::string::npos) << dll;
        EXPECT_EQ(dll.find("libwinpthread"), std::string::npos) << dll;
    }
}

}  // namespace
