#include "settings/Settings.h"

#include "settings/RegistryKey.h"

namespace {

const char kFormatName[] = "Extension"; // holds the format index, not a file extension
const char kLabelName[] = "Label";
const char kDestinationName[] = "Destination";

std::string& KeyPath() {
    static std::string strPath = "Software\\Tavrik";
    return strPath;
}

} // namespace

void SetSettingsKeyPath(const std::string& strPath) {
    KeyPath() = strPath;
}

const std::string& GetSettingsKeyPath() {
    return KeyPath();
}

void LoadSettings(int& nFormat, std::string& strLabel, std::string& strDestination) {
    CRegistryKey key;
    // Without our own key the reads would look at the root of the user's hive, where
    // values of these names belong to someone else: the defaults are the safer answer.
    if (!key.SetKey(KeyPath(), TRUE)) {
        nFormat = 0;
        strLabel = "Label";
        strDestination = "";
        return;
    }
    nFormat = key.ReadInt(kFormatName, 0);
    strLabel = key.ReadString(kLabelName, "Label");
    strDestination = key.ReadString(kDestinationName, "");
}

void SaveSettings(int nFormat, const std::string& strLabel, const std::string& strDestination) {
    CRegistryKey key;
    // Never write into the root of the user's hive when our key is out of reach.
    if (!key.SetKey(KeyPath(), TRUE)) {
        return;
    }
    key.WriteInt(kFormatName, nFormat);
    key.WriteString(kLabelName, strLabel);
    key.WriteString(kDestinationName, strDestination);
}
