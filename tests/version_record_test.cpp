// Reads back the version records of both executables and the icon that the program's resource
// script puts in one: this test program is linked with the same script as Quorvelin.exe, and reads
// quorvelin-trame.exe from its file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

#ifndef QUORVELIN_TRAME_EXE
#error "QUORVELIN_TRAME_EXE must name the command-line program"
#endif

std::wstring ownPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring trameExe() {
    const std::string path = QUORVELIN_TRAME_EXE;
    return std::wstring(path.begin(), path.end());
}

std::vector<char> versionRecord(const std::wstring& file) {
    const wchar_t* const path = file.c_str();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<char> record(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, record.data())) {
        record.clear();
    }
    return record;
}

template <typename T> const T* query(std::vector<char>& record, const std::wstring& key) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), key.c_str(), &value, &length) || length == 0) {
        return nullptr;
    }
    return static_cast<const T*>(value);
}

// Each executable: where it is read from, its description and its own names.
struct Executable {
    std::wstring path;
    const wchar_t* description;
    const wchar_t* internalName;
    const wchar_t* fileName;
};

class VersionRecord : public testing::TestWithParam<Executable> {};

TEST_P(VersionRecord, FixedPartIsVersion1000ForA32BitWindowsApplication) {
    std::vector<char> record = versionRecord(GetParam().path);
    ASSERT_FALSE(record.empty());
    const auto* fixed = query<VS_FIXEDFILEINFO>(record, L"\\");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD{VOS__WINDOWS32});
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
}

TEST_P(VersionRecord, OneFrenchUnicodeTranslation) {
    std::vector<char> record = versionRecord(GetParam().path);
    ASSERT_FALSE(record.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u) << "a single language and code page pair";
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x040C);
    EXPECT_EQ(pair[1], 1200);
}

TEST_P(VersionRecord, EveryStringOfTheFrenchBlock) {
    std::vector<char> record = versionRecord(GetParam().path);
    ASSERT_FALSE(record.empty());
    const Executable& exe = GetParam();
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"Comments", exe.description},
        {L"CompanyName", L"vexor"},
        {L"FileDescription", exe.description},
        {L"LegalCopyright", L"vexor"},
        {L"LegalTrademarks", L"vexor.example"},
        {L"ProductName", L"Quorvelin"},
        {L"FileVersion", L"1.00"},
        {L"ProductVersion", L"1.00"},
        {L"InternalName", exe.internalName},
        {L"OriginalFilename", exe.fileName},
    };
    for (const auto& s : strings) {
        const auto* value =
            query<wchar_t>(record, std::wstring(L"\\StringFileInfo\\040C04B0\\") + s.key);
        ASSERT_NE(value, nullptr) << std::string(s.key, s.key + wcslen(s.key));
        EXPECT_EQ(std::wstring(value), s.value) << std::string(s.key, s.key + wcslen(s.key));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Executables, VersionRecord,
    testing::Values(Executable{ownPath(), L"Création d'une trame GPS", L"Quorvelin",
                               L"Quorvelin.exe"},
                    Executable{trameExe(), L"Trame GPRMC d'une position, en ligne de commande",
                               L"quorvelin-trame", L"quorvelin-trame.exe"}),
    [](const testing::TestParamInfo<Executable>& info) {
        return info.index == 0 ? "Quorvelin" : "quorvelin_trame";
    });

TEST(VersionRecordIcon, IconGroupOneLoadsAt32By32) {
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */),
              nullptr);
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

} // namespace
