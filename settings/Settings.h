#pragma once

#include <string>

// Fills the three fields from the registry (creating the key on first start).
void LoadSettings(int& nFormat, std::string& strLabel, std::string& strDestination);
// Stores the three fields; failures are silent.
void SaveSettings(int nFormat, const std::string& strLabel, const std::string& strDestination);
