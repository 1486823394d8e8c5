// The folder picker's rules on the real file system, with real boxes.
#pragma once

#include "folderpicker/FolderPathRules.h"

class CPlatformFolderServices : public tavrik::FolderServices {
  public:
    tavrik::PathKind Attributes(const std::string& path) override;
    unsigned DriveType(const std::string& root) override;
    bool CreateFolderChain(const std::string& path) override;
    std::vector<tavrik::FoundEntry> FindEntries(const std::string& pattern) override;
    bool AskYesNo(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
};
