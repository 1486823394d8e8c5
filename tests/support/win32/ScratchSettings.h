#pragma once

// Every test program keeps the settings in a scratch key of its own, so that
// programs run side by side and none of them touches the user's settings. The
// helpers here read and write that key with the raw registry calls, never
// through the code under test.

#include "settings/Settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Never removed: a program that finds it missing could create it volatile (as a
// registry link's parent), and no other key could then be created below it.
inline const char* const kScratchRoot = "Software\\TavrikScratch";

// HKEY_CURRENT_USER\Software\TavrikScratch\<program>-<process id>
inline const std::string& ScratchSettingsKey() {
    static const std::string path = [] {
        char self[MAX_PATH] = {};
        const DWORD n = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string name(self, n);
        name = name.substr(name.find_last_of("\\/") + 1);
        return std::string(kScratchRoot) + "\\" + name + "-" +
               std::to_string(::GetCurrentProcessId());
    }();
    return path;
}

class ScratchSettings : public ::testing::Environment {
  public:
    void SetUp() override {
        HKEY root = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kScratchRoot, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &root, nullptr) == ERROR_SUCCESS)
            ::RegCloseKey(root);
        s_strDefaultKey = GetSettingsKeyPath();
        SetSettingsKeyPath(ScratchSettingsKey());
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, ScratchSettingsKey().c_str()); }
    // The key the settings used before the scratch key took its place.
    static const std::string& DefaultKey() { return s_strDefaultKey; }

  private:
    static inline std::string s_strDefaultKey;
};

// Registered once per program, before main runs the tests.
inline ::testing::Environment* const g_scratchSettings =
    ::testing::AddGlobalTestEnvironment(new ScratchSettings);

inline void ClearSettings() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ScratchSettingsKey().c_str());
}

inline void StoreValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ScratchSettingsKey().c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

inline void StoreFormat(int format) {
    StoreValue("Extension", REG_BINARY, &format, 4);
}
inline void StoreText(const char* name, const std::string& text) {
    StoreValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

struct StoredValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string Text() const {
        std::string text(data.begin(), data.end());
        return text.substr(0, text.find('\0'));
    }
};

inline StoredValue ReadStored(const char* name) {
    StoredValue value;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, ScratchSettingsKey().c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = ::RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(),
                                           &size) == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return value;
}
