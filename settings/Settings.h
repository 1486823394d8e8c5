#pragma once

#include <string>

// Fills the three fields from the registry (creating the key on first start).
void LoadSettings(int& nFormat, std::string& strLabel, std::string& strDestination);
// Stores the three fields; failures are silent.
void SaveSettings(int nFormat, const std::string& strLabel, const std::string& strDestination);

// The key under HKEY_CURRENT_USER that both use ("Software\\Tavrik" unless set). Tests
// point it at a scratch key of their own, so that test programs can run side by side
// without touching the user's settings.
void SetSettingsKeyPath(const std::string& strPath);
const std::string& GetSettingsKeyPath();
