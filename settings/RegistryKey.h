#pragma once

#include <windows.h>

#include <string>

// A registry key below a root, addressed by path. No handle is held between calls:
// every operation opens the key, does its work and closes it before returning, so
// nothing is left open if the caller never gets to clean up.
class CRegistryKey {
  public:
    CRegistryKey();
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    void Reset();
    // Makes strKeyPath the key of this object when it exists or, with bCreate, once it
    // has been created. On failure the former key path stays.
    BOOL SetKey(std::string strKeyPath, BOOL bCreate);
    // The value's registry type, or 0 when the key or the value cannot be read.
    DWORD GetValueType(std::string strName);
    // Only REG_SZ and REG_EXPAND_SZ texts of at most 254 characters are read; an
    // expandable text comes back as stored, variables and all.
    std::string ReadString(std::string strName, std::string strDefault);
    // Data of up to 4 bytes of any type, little-endian, missing high bytes zero.
    int ReadInt(std::string strName, int nDefault);
    // Texts longer than 254 characters are refused, so that whatever is written reads back.
    BOOL WriteString(std::string strName, std::string strValue);
    BOOL WriteInt(std::string strName, int nValue);

    HKEY m_hRootKey;
    BOOL m_bLazyWrite;
    std::string m_strKeyPath;

  private:
    // Opens m_strKeyPath below the root; nullptr when that fails.
    HKEY Open(REGSAM samDesired) const;
};
