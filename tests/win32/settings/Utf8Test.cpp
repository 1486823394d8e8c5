// The settings of a program that runs with the manifest's UTF-8 code page: text
// beyond any ANSI code page is stored as the characters it means and comes back
// byte for byte.
#include "settings/Settings.h"
#include "tests/support/win32/ScratchSettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::wstring ReadWide(const wchar_t* name) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ScratchSettingsKey().c_str(), 0, KEY_READ, &hKey) !=
        ERROR_SUCCESS)
        return L"<no key>";
    wchar_t data[512] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t), type = 0;
    LSTATUS status =
        RegQueryValueExW(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(hKey);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return L"<no string>";
    return std::wstring(data);
}

TEST(Utf8Settings, NonAsciiLabelAndFolderRoundTripAsTheirCharacters) {
    ASSERT_EQ(GetACP(), 65001u) << "the manifest's code page is in force";
    ClearSettings();

    struct Case {
        std::string label, folder;
        std::wstring wideLabel, wideFolder;
    };
    const Case cases[] = {
        // Greek and Japanese: in no single ANSI code page together.
        {"\xCE\xB1\xCE\xB2_tex", "C:\\\xE3\x83\x86\xE3\x82\xAF\\out\\", L"\x03B1\x03B2_tex",
         L"C:\\\x30C6\x30AF\\out\\"},
        // Latin accents, which an ANSI code page would have stored as single bytes.
        {"\xC3\xA9t\xC3\xA9",
         "D:\\\xC3\x9C"
         "bersicht",
         L"\x00E9t\x00E9",
         L"D:\\\x00DC"
         L"bersicht"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SaveSettings(1, c.label, c.folder);
        EXPECT_EQ(ReadWide(L"Label"), c.wideLabel) << "another program reads the same characters";
        EXPECT_EQ(ReadWide(L"Destination"), c.wideFolder);
        int format = -1;
        std::string label, folder;
        LoadSettings(format, label, folder);
        EXPECT_EQ(format, 1);
        EXPECT_EQ(label, c.label);
        EXPECT_EQ(folder, c.folder);
    }
    ClearSettings();
}

} // namespace
