#include "settings/RegistryKey.h"

#include <cstring>

namespace {

// The longest text written or read: with its NUL it fills the 255 bytes offered to the
// registry, one byte short of the buffer so that the data always ends in a NUL of ours.
constexpr size_t kMaxText = 254;

bool IsText(DWORD dwType) {
    return dwType == REG_SZ || dwType == REG_EXPAND_SZ;
}

// Closes the key on every way out of the function that opened it.
class CKeyCloser {
  public:
    explicit CKeyCloser(HKEY hKey) : m_hKey(hKey) {}
    ~CKeyCloser() { RegCloseKey(m_hKey); }
    CKeyCloser(const CKeyCloser&) = delete;
    CKeyCloser& operator=(const CKeyCloser&) = delete;

  private:
    HKEY m_hKey;
};

} // namespace

CRegistryKey::CRegistryKey() : m_hRootKey(HKEY_CURRENT_USER), m_bLazyWrite(TRUE), m_strKeyPath() {}

CRegistryKey::~CRegistryKey() {
    Reset();
}

void CRegistryKey::Reset() {
    m_strKeyPath.clear();
    m_hRootKey = HKEY_CURRENT_USER;
    m_bLazyWrite = TRUE;
}

BOOL CRegistryKey::SetKey(std::string strKeyPath, BOOL bCreate) {
    if (strKeyPath.empty()) {
        m_strKeyPath.clear();
        return TRUE;
    }
    HKEY hKey = nullptr;
    LSTATUS status;
    if (bCreate) {
        status = RegCreateKeyExA(m_hRootKey, strKeyPath.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    } else {
        status = RegOpenKeyExA(m_hRootKey, strKeyPath.c_str(), 0, KEY_ALL_ACCESS, &hKey);
    }
    if (status != ERROR_SUCCESS || hKey == nullptr) {
        return FALSE;
    }
    CKeyCloser closer(hKey);
    m_strKeyPath = strKeyPath;
    if (!m_bLazyWrite) {
        RegFlushKey(hKey);
    }
    return TRUE;
}

HKEY CRegistryKey::Open(REGSAM samDesired) const {
    HKEY hKey = nullptr;
    // An empty path opens a new handle to the root itself.
    if (RegOpenKeyExA(m_hRootKey, m_strKeyPath.c_str(), 0, samDesired, &hKey) != ERROR_SUCCESS) {
        return nullptr;
    }
    return hKey;
}

DWORD CRegistryKey::GetValueType(std::string strName) {
    HKEY hKey = Open(KEY_QUERY_VALUE);
    if (hKey == nullptr) {
        return 0;
    }
    CKeyCloser closer(hKey);
    DWORD dwType = 0;
    if (RegQueryValueExA(hKey, strName.c_str(), nullptr, &dwType, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return dwType;
}

std::string CRegistryKey::ReadString(std::string strName, std::string strDefault) {
    if (!IsText(GetValueType(strName))) {
        return strDefault;
    }
    HKEY hKey = Open(KEY_READ);
    if (hKey == nullptr) {
        return strDefault;
    }
    char buffer[kMaxText + 2] = {};
    DWORD cbData = kMaxText + 1;
    DWORD dwType = 0;
    LSTATUS status;
    {
        CKeyCloser closer(hKey);
        status = RegQueryValueExA(hKey, strName.c_str(), nullptr, &dwType,
                                  reinterpret_cast<BYTE*>(buffer), &cbData);
    }
    // The type is asked again: the value may have been replaced since the first look.
    if (status != ERROR_SUCCESS || !IsText(dwType) || cbData > kMaxText + 1) {
        return strDefault;
    }
    std::string strValue(buffer, strnlen(buffer, cbData));
    // 255 characters stored without a NUL fit the buffer, but such a text could never
    // have been written; it is treated like every other overlong text.
    if (strValue.size() > kMaxText) {
        return strDefault;
    }
    return strValue;
}

int CRegistryKey::ReadInt(std::string strName, int nDefault) {
    HKEY hKey = Open(KEY_READ);
    if (hKey == nullptr) {
        return nDefault;
    }
    BYTE bytes[4] = {};
    DWORD cbData = sizeof bytes;
    LSTATUS status;
    {
        CKeyCloser closer(hKey);
        status = RegQueryValueExA(hKey, strName.c_str(), nullptr, nullptr, bytes, &cbData);
    }
    if (status != ERROR_SUCCESS || cbData > sizeof bytes) {
        return nDefault;
    }
    // Shorter data fills the low bytes; the high ones stay zero.
    DWORD dwValue =
        bytes[0] | (DWORD(bytes[1]) << 8) | (DWORD(bytes[2]) << 16) | (DWORD(bytes[3]) << 24);
    return static_cast<int>(dwValue);
}

BOOL CRegistryKey::WriteString(std::string strName, std::string strValue) {
    if (strValue.size() > kMaxText) {
        return FALSE;
    }
    HKEY hKey = Open(KEY_WRITE);
    if (hKey == nullptr) {
        return FALSE;
    }
    CKeyCloser closer(hKey);
    LSTATUS status =
        RegSetValueExA(hKey, strName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(strValue.c_str()), DWORD(strValue.size() + 1));
    if (!m_bLazyWrite) {
        RegFlushKey(hKey);
    }
    return status == ERROR_SUCCESS;
}

BOOL CRegistryKey::WriteInt(std::string strName, int nValue) {
    HKEY hKey = Open(KEY_WRITE);
    if (hKey == nullptr) {
        return FALSE;
    }
    CKeyCloser closer(hKey);
    const DWORD dwValue = static_cast<DWORD>(nValue);
    const BYTE bytes[4] = {BYTE(dwValue), BYTE(dwValue >> 8), BYTE(dwValue >> 16),
                           BYTE(dwValue >> 24)};
    LSTATUS status = RegSetValueExA(hKey, strName.c_str(), 0, REG_BINARY, bytes, sizeof bytes);
    if (!m_bLazyWrite) {
        RegFlushKey(hKey);
    }
    return status == ERROR_SUCCESS;
}
