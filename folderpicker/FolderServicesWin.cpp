#include "FolderServicesWin.h"

#include "FileSystem.h"
#include "framework/FileFind.h"

PathKind CPlatformFolderServices::Attributes(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

unsigned CPlatformFolderServices::DriveType(const std::string& root) {
    return ::GetDriveTypeA(root.c_str());
}

bool CPlatformFolderServices::CreateFolderChain(const std::string& path) {
    return tavrik::os::MakeSureDirectoryPathExists(path);
}

std::vector<FoundEntry> CPlatformFolderServices::FindEntries(const std::string& pattern) {
    std::vector<FoundEntry> entries;
    CFileFind find;
    for (BOOL more = find.FindFile(pattern); more;) {
        more = find.FindNextFile();
        entries.push_back({find.GetFileName(), find.MatchesMask(FILE_ATTRIBUTE_DIRECTORY) != 0});
    }
    return entries;
}

bool CPlatformFolderServices::AskYesNo(const std::string& text) {
    return AfxMessageBox(text, MB_YESNO) == IDYES;
}

void CPlatformFolderServices::ShowMessage(const std::string& text) {
    AfxMessageBox(text, MB_OK);
}
