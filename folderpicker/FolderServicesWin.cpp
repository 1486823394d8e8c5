#include "folderpicker/FolderServicesWin.h"

#include "os/FileSystem.h"
#include "framework/Afx.h"

using namespace tavrik;

PathKind CPlatformFolderServices::Attributes(const std::string& path) {
    return tavrik::os::KindOfPath(path);
}

unsigned CPlatformFolderServices::DriveType(const std::string& root) {
    return tavrik::os::DriveType(root);
}

bool CPlatformFolderServices::CreateFolderChain(const std::string& path) {
    return tavrik::os::MakeSureDirectoryPathExists(path);
}

std::vector<FoundEntry> CPlatformFolderServices::FindEntries(const std::string& pattern) {
    return tavrik::os::FindEntries(pattern);
}

bool CPlatformFolderServices::AskYesNo(const std::string& text) {
    return AfxMessageBox(text, MB_YESNO) == IDYES;
}

void CPlatformFolderServices::ShowMessage(const std::string& text) {
    AfxMessageBox(text, MB_OK);
}
