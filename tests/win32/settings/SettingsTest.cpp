// The settings store against Wine's real registry. Every stored byte is checked with
// the raw registry calls, never through the wrapper under test.
#include "settings/RegistryKey.h"
#include "settings/Settings.h"
#include "tests/support/win32/ScratchSettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The program's own scratch key, which the settings use while it runs.
const char* const kKeyPath = ScratchSettingsKey().c_str();
const std::wstring kWideKeyPath(ScratchSettingsKey().begin(), ScratchSettingsKey().end());

using Bytes = std::vector<BYTE>;

struct RawValue {
    DWORD type;
    Bytes data;
};

Bytes TextBytes(const std::string& s, bool withNul = true) {
    Bytes b(s.begin(), s.end());
    if (withNul) {
        b.push_back(0);
    }
    return b;
}

bool KeyExists() {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(hKey);
    return true;
}

std::optional<RawValue> ReadRaw(const std::string& name, HKEY hRoot = HKEY_CURRENT_USER,
                                const char* path = kKeyPath) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0, size = 0;
    LSTATUS status = RegQueryValueExA(hKey, name.c_str(), nullptr, &type, nullptr, &size);
    RawValue value{type, Bytes(size)};
    if (status == ERROR_SUCCESS && size > 0) {
        status =
            RegQueryValueExA(hKey, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(hKey);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void WriteRaw(const std::string& name, DWORD type, const Bytes& data) {
    HKEY hKey = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                             DWORD(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
}

void DeleteKey() {
    LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, kKeyPath);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    ASSERT_FALSE(KeyExists());
}

struct Loaded {
    int nFormat = -1;
    std::string strLabel;
    std::string strDestination;
};

// Starts from values that no load would produce, so an untouched field shows.
Loaded Load() {
    Loaded l{-7, "untouched", "untouched"};
    LoadSettings(l.nFormat, l.strLabel, l.strDestination);
    return l;
}

TEST(SettingsKey, TheUsersKeyUnlessATestPointsTheSettingsElsewhere) {
    EXPECT_EQ(ScratchSettings::DefaultKey(), "Software\\Tavrik");
    EXPECT_EQ(GetSettingsKeyPath(), ScratchSettingsKey());
    EXPECT_NE(ScratchSettingsKey(), ScratchSettings::DefaultKey());
}

class Settings : public ::testing::Test {
  protected:
    void SetUp() override { DeleteKey(); }
    void TearDown() override { DeleteKey(); }
};

TEST_F(Settings, FirstStartCreatesTheEmptyKeyAndLoadsTheDefaults) {
    Loaded l = Load();
    EXPECT_EQ(l.nFormat, 0);
    EXPECT_EQ(l.strLabel, "Label");
    EXPECT_EQ(l.strDestination, "");

    HKEY hKey = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &hKey), ERROR_SUCCESS);
    DWORD subkeys = 99, values = 99;
    EXPECT_EQ(RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(values, 0u);
}

TEST_F(Settings, SaveWritesTheThreeValuesWithTheirTypesAndBytes) {
    struct Case {
        int nFormat;
        Bytes formatBytes;
        std::string strLabel, strDestination;
    } cases[] = {
        {0, {0, 0, 0, 0}, "tex", "C:\\out\\"},
        {1, {1, 0, 0, 0}, "model_data", "Z:\\tmp\\a b\\"},
        {-1, {0xFF, 0xFF, 0xFF, 0xFF}, "Label", ""},
        {0x12345678, {0x78, 0x56, 0x34, 0x12}, "%TEMP%", "%SystemRoot%\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nFormat);
        SaveSettings(c.nFormat, c.strLabel, c.strDestination);

        auto format = ReadRaw("Extension");
        ASSERT_TRUE(format);
        EXPECT_EQ(format->type, DWORD(REG_BINARY));
        EXPECT_EQ(format->data, c.formatBytes);
        auto label = ReadRaw("Label");
        ASSERT_TRUE(label);
        EXPECT_EQ(label->type, DWORD(REG_SZ));
        EXPECT_EQ(label->data, TextBytes(c.strLabel));
        auto destination = ReadRaw("Destination");
        ASSERT_TRUE(destination);
        EXPECT_EQ(destination->type, DWORD(REG_SZ));
        EXPECT_EQ(destination->data, TextBytes(c.strDestination));

        Loaded l = Load();
        EXPECT_EQ(l.nFormat, c.nFormat);
        EXPECT_EQ(l.strLabel, c.strLabel);
        EXPECT_EQ(l.strDestination, c.strDestination);
    }
}

TEST_F(Settings, FormatIsReadFromDataOfUpToFourBytesOfAnyType) {
    struct Case {
        const char* what;
        DWORD type;
        Bytes data;
        int expected;
    } cases[] = {
        {"binary 1", REG_BINARY, {1, 0, 0, 0}, 1},
        {"dword 1", REG_DWORD, {1, 0, 0, 0}, 1},
        {"dword -1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {"dword 5", REG_DWORD, {5, 0, 0, 0}, 5},
        {"two bytes", REG_BINARY, {0x01, 0x02}, 0x0201},
        {"two high bytes", REG_BINARY, {0xFF, 0xFF}, 0xFFFF},
        {"one byte", REG_BINARY, {1}, 1},
        {"no bytes", REG_BINARY, {}, 0},
        {"five bytes", REG_BINARY, {1, 0, 0, 0, 0}, 0},
        {"qword 1", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRaw("Extension", c.type, c.data);
        EXPECT_EQ(Load().nFormat, c.expected);
    }
}

TEST_F(Settings, TextsAreReadOnlyFromStringsThatCouldHaveBeenWritten) {
    const std::string s254(254, 'a'), s255(255, 'b');
    struct Case {
        const char* what;
        DWORD type;
        Bytes data;
        std::optional<std::string> expected; // none: the default
    } cases[] = {
        {"plain", REG_SZ, TextBytes("tex"), "tex"},
        {"empty", REG_SZ, TextBytes(""), ""},
        {"expandable, unexpanded", REG_EXPAND_SZ, TextBytes("%SystemRoot%\\x"), "%SystemRoot%\\x"},
        {"no NUL", REG_SZ, TextBytes("abc", false), "abc"},
        {"inner NUL", REG_SZ, TextBytes(std::string("ab\0cd", 5)), "ab"},
        {"254 characters", REG_SZ, TextBytes(s254), s254},
        {"255 characters", REG_SZ, TextBytes(s255), std::nullopt},
        {"255 characters without NUL", REG_SZ, TextBytes(s255, false), std::nullopt},
        {"1000 characters", REG_EXPAND_SZ, TextBytes(std::string(1000, 'c')), std::nullopt},
        {"dword", REG_DWORD, {'a', 0, 0, 0}, std::nullopt},
        {"binary", REG_BINARY, TextBytes("tex"), std::nullopt},
        {"multi string", REG_MULTI_SZ, {'t', 0, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRaw("Label", c.type, c.data);
        WriteRaw("Destination", c.type, c.data);
        Loaded l = Load();
        EXPECT_EQ(l.strLabel, c.expected.value_or("Label"));
        EXPECT_EQ(l.strDestination, c.expected.value_or(""));
    }
}

TEST_F(Settings, OverlongTextsAreNotSavedAndTheFormerValuesStay) {
    const std::string s254(254, 'x'), s255(255, 'y');

    // With nothing stored yet, nothing is stored.
    SaveSettings(1, s255, s255);
    EXPECT_FALSE(ReadRaw("Label"));
    EXPECT_FALSE(ReadRaw("Destination"));
    EXPECT_TRUE(ReadRaw("Extension")) << "the format is saved all the same";

    SaveSettings(1, s254, "D:\\" + std::string(251, 'd'));
    Loaded l = Load();
    EXPECT_EQ(l.strLabel, s254);
    EXPECT_EQ(l.strDestination, "D:\\" + std::string(251, 'd'));

    SaveSettings(0, s255, "E:\\" + std::string(252, 'e'));
    auto label = ReadRaw("Label");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->data, TextBytes(s254));
    l = Load();
    EXPECT_EQ(l.nFormat, 0);
    EXPECT_EQ(l.strLabel, s254);
    EXPECT_EQ(l.strDestination, "D:\\" + std::string(251, 'd'));
}

TEST_F(Settings, AnsiTextRoundTrips) {
    // Bytes above 0x7F pass through the code page and must come back as they were.
    const std::string label = "textur\xE9_\xC4\xD6\xDC";
    const std::string folder = "C:\\Daten\\\334bersicht\\"; // \334 is 0xDC
    SaveSettings(0, label, folder);
    Loaded l = Load();
    EXPECT_EQ(l.strLabel, label);
    EXPECT_EQ(l.strDestination, folder);
}

// Puts a registry link in the key's place whose target cannot exist, so that creating
// or opening the key fails for real. Volatile: a stray one dies with the wineserver.
class UnreachableKey {
  public:
    UnreachableKey() {
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kWideKeyPath.c_str(), 0, nullptr,
                            REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &hKey, nullptr) != ERROR_SUCCESS) {
            return;
        }
        const wchar_t target[] = L"\\Nowhere\\Tavrik";
        ok_ = RegSetValueExW(hKey, L"SymbolicLinkValue", 0, REG_LINK,
                             reinterpret_cast<const BYTE*>(target),
                             sizeof target - sizeof target[0]) == ERROR_SUCCESS;
        RegCloseKey(hKey);
    }
    ~UnreachableKey() {
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kWideKeyPath.c_str(), REG_OPTION_OPEN_LINK,
                          KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
            RegDeleteKeyW(hKey, L"");
            RegCloseKey(hKey);
        }
    }
    UnreachableKey(const UnreachableKey&) = delete;
    UnreachableKey& operator=(const UnreachableKey&) = delete;
    bool ok() const { return ok_; }

  private:
    bool ok_ = false;
};

TEST_F(Settings, KeyOutOfReachGivesDefaultsAndLeavesTheHiveRootAlone) {
    // The test prefix's own hive: clear what an earlier faulty run may have left there.
    for (const char* name : {"Extension", "Label", "Destination"}) {
        RegDeleteValueA(HKEY_CURRENT_USER, name);
    }
    {
        UnreachableKey unreachable;
        ASSERT_TRUE(unreachable.ok());
        CRegistryKey probe;
        ASSERT_FALSE(probe.SetKey(kKeyPath, TRUE));

        SaveSettings(1, "tex", "C:\\out\\");
        for (const char* name : {"Extension", "Label", "Destination"}) {
            EXPECT_FALSE(ReadRaw(name, HKEY_CURRENT_USER, "")) << name;
        }
        Loaded l = Load();
        EXPECT_EQ(l.nFormat, 0);
        EXPECT_EQ(l.strLabel, "Label");
        EXPECT_EQ(l.strDestination, "");
    }
    EXPECT_FALSE(KeyExists());
}

class RegistryKey : public Settings {};

TEST_F(RegistryKey, StartsAtTheUsersRootWithLazyWriteAndResetsToIt) {
    CRegistryKey key;
    EXPECT_EQ(key.m_hRootKey, HKEY_CURRENT_USER);
    EXPECT_TRUE(key.m_bLazyWrite);
    EXPECT_EQ(key.m_strKeyPath, "");

    key.m_hRootKey = HKEY_LOCAL_MACHINE;
    key.m_bLazyWrite = FALSE;
    ASSERT_TRUE(key.SetKey("Software", FALSE));
    key.Reset();
    EXPECT_EQ(key.m_hRootKey, HKEY_CURRENT_USER);
    EXPECT_TRUE(key.m_bLazyWrite);
    EXPECT_EQ(key.m_strKeyPath, "");
}

TEST_F(RegistryKey, FailedSetKeyKeepsTheFormerPath) {
    CRegistryKey key;
    EXPECT_FALSE(key.SetKey(kKeyPath, FALSE)) << "opening a missing key must not create it";
    EXPECT_FALSE(KeyExists());
    EXPECT_EQ(key.m_strKeyPath, "");

    ASSERT_TRUE(key.SetKey(kKeyPath, TRUE));
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(key.m_strKeyPath, kKeyPath);
    EXPECT_FALSE(key.SetKey(std::string(kKeyPath) + "\\missing", FALSE));
    EXPECT_EQ(key.m_strKeyPath, kKeyPath);
    EXPECT_TRUE(key.SetKey(kKeyPath, FALSE));
}

TEST_F(RegistryKey, TypeOfAMissingValueOrKeyIsZero) {
    CRegistryKey key;
    ASSERT_TRUE(key.SetKey(kKeyPath, TRUE));
    EXPECT_EQ(key.GetValueType("Label"), 0u);
    WriteRaw("Label", REG_EXPAND_SZ, TextBytes("x"));
    WriteRaw("Extension", REG_DWORD, {1, 0, 0, 0});
    EXPECT_EQ(key.GetValueType("Label"), DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(key.GetValueType("Extension"), DWORD(REG_DWORD));

    DeleteKey();
    EXPECT_EQ(key.GetValueType("Label"), 0u);
    EXPECT_EQ(key.ReadInt("Extension", 42), 42);
    EXPECT_EQ(key.ReadString("Label", "dflt"), "dflt");
    EXPECT_FALSE(key.WriteInt("Extension", 1)) << "a write must not recreate a deleted key";
    EXPECT_FALSE(key.WriteString("Label", "x"));
    EXPECT_FALSE(KeyExists());
}

TEST_F(RegistryKey, WritesReportTheirOutcome) {
    CRegistryKey key;
    ASSERT_TRUE(key.SetKey(kKeyPath, TRUE));
    key.m_bLazyWrite = FALSE; // the flushing path stores the same bytes
    EXPECT_TRUE(key.WriteInt("n", -2));
    EXPECT_TRUE(key.WriteString("s", std::string(254, 's')));
    EXPECT_FALSE(key.WriteString("t", std::string(255, 't')));
    EXPECT_EQ(ReadRaw("n")->data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadRaw("s")->data, TextBytes(std::string(254, 's')));
    EXPECT_FALSE(ReadRaw("t"));
}

TEST_F(RegistryKey, EmptyKeyPathAddressesTheRootItself) {
    CRegistryKey creator;
    ASSERT_TRUE(creator.SetKey(kKeyPath, TRUE));
    HKEY hRoot = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_ALL_ACCESS, &hRoot), ERROR_SUCCESS);
    {
        CRegistryKey key;
        key.m_hRootKey = hRoot;
        ASSERT_TRUE(key.SetKey("sub", TRUE));
        EXPECT_TRUE(key.SetKey("", FALSE)) << "an empty path needs no registry";
        EXPECT_EQ(key.m_strKeyPath, "");
        EXPECT_TRUE(key.WriteInt("AtRoot", 7));
        EXPECT_EQ(key.ReadInt("AtRoot", 0), 7);
        EXPECT_EQ(key.GetValueType("AtRoot"), DWORD(REG_BINARY));
    }
    RegCloseKey(hRoot);
    auto atRoot = ReadRaw("AtRoot");
    ASSERT_TRUE(atRoot);
    EXPECT_EQ(atRoot->data, (Bytes{7, 0, 0, 0}));
    EXPECT_FALSE(ReadRaw("AtRoot", HKEY_CURRENT_USER, (std::string(kKeyPath) + "\\sub").c_str()));
}

} // namespace
