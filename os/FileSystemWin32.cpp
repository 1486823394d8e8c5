// The file system layer on Windows.
#include "os/FileSystem.h"
#include "os/FileSystemShared.h"

#include <utility>

#include <windows.h>

namespace tavrik::os {

namespace {
bool IsFolder(const std::string& path) {
    return KindOfPath(path) == PathKind::Folder;
}
// Calls |found| with each entry that |pattern| matches; false when nothing matched.
template <class Found> bool ForEachMatch(const std::string& pattern, Found found) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        found(data);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
} // namespace

File File::OpenForReading(const std::string& path) {
    File file;
    if (path.empty() || IsFolder(path))
        return file;
    file.m_handle = CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    // A device (aux.tim is AUX) could be read for ever; only disk files are input.
    if (file.IsOpen() && !file.IsRegular())
        file.Close();
    if (file.IsOpen())
        file.m_readLimit = file.Size();
    return file;
}

File File::ProbeForWriting(const std::string& path, ProbeResult& result) {
    File file;
    // Windows refuses to write a read-only file; so must we where the account
    // could (Wine as root maps the flag to permission bits that root ignores).
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        result = ProbeResult::Failed;
        return file;
    }
    file.m_handle = CreateFileA(path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.IsOpen() && !file.IsRegular()) {
        // nul.c is the null device: writing there would report success for nothing.
        file.Close();
        result = ProbeResult::Failed;
    } else if (file.IsOpen()) {
        result = ProbeResult::Opened;
    } else {
        DWORD error = GetLastError();
        result = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                     ? ProbeResult::Missing
                     : ProbeResult::Failed;
    }
    return file;
}

File File::CreateTruncating(const std::string& path) {
    File file;
    file.m_handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file;
}

File File::CreateNew(const std::string& path, bool& alreadyExists) {
    File file;
    // Sharing deletion lets the interrupt handler remove the file while it is written.
    file.m_handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    alreadyExists = !file.IsOpen() &&
                    (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS);
    return file;
}

File File::StandardOutput() {
    File file;
    file.m_handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (file.m_handle == nullptr)
        file.m_handle = NoHandle();
    file.m_owned = false;
    return file;
}

long long File::ReadOnce(void* buffer, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(m_handle, buffer, static_cast<DWORD>(size), &got, nullptr)) {
        // A pipe whose writer has gone has simply ended.
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    }
    return got;
}

long long File::WriteOnce(const char* data, std::size_t size) {
    DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(m_handle, data, chunk, &written, nullptr))
        return -1;
    return written;
}

bool File::Close() {
    if (!IsOpen())
        return true;
    HANDLE handle = std::exchange(m_handle, NoHandle());
    return m_owned ? CloseHandle(handle) != 0 : true;
}

bool File::Identity(FileIdentity& identity) const {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(m_handle, &info)) {
        identity.volume = info.dwVolumeSerialNumber;
        identity.index =
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        identity.volumeKnown = true;
        return true;
    }
    // Wine cannot describe a disk file that a Unix shell handed over as standard output,
    // but still tells its index.
    struct IoStatus {
        void* status;
        ULONG_PTR information;
    };
    using QueryFile = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, ULONG);
    constexpr ULONG kFileInternalInformation = 6;
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto query = ntdll == nullptr ? nullptr
                                  : reinterpret_cast<QueryFile>(reinterpret_cast<void (*)()>(
                                        GetProcAddress(ntdll, "NtQueryInformationFile")));
    IoStatus status{};
    LARGE_INTEGER index;
    if (query == nullptr ||
        query(m_handle, &status, &index, sizeof index, kFileInternalInformation) < 0)
        return false;
    identity.volume = 0;
    identity.index = static_cast<std::uint64_t>(index.QuadPart);
    identity.volumeKnown = false;
    return true;
}

bool File::IsRegular() const {
    return GetFileType(m_handle) == FILE_TYPE_DISK;
}

std::uint64_t File::Size() const {
    LARGE_INTEGER size;
    if (!IsRegular() || !GetFileSizeEx(m_handle, &size))
        return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

unsigned File::Mode() const {
    return 0;
}

bool File::SetMode(unsigned) {
    return true;
}

bool File::LosesByReplacement(File&) const {
    return false;
}

bool IdentifyPath(const std::string& path, FileIdentity& identity, bool& regular) {
    if (path.empty())
        return false;
    HANDLE handle =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool known = GetFileInformationByHandle(handle, &info) != 0;
    if (known) {
        identity.volume = info.dwVolumeSerialNumber;
        identity.index =
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        regular = GetFileType(handle) == FILE_TYPE_DISK &&
                  !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    CloseHandle(handle);
    return known;
}

unsigned NewFileMode() {
    return 0;
}

namespace {
void RemovePendingTemporaries() {
    for (int slot = 0; slot < shared::kPendingSlots; ++slot)
        if (const char* path = shared::ArmedTemporary(slot))
            DeleteFileA(path);
}

BOOL WINAPI OnConsoleInterrupt(DWORD) {
    RemovePendingTemporaries();
    // The default handler then ends the process as it always does.
    return FALSE;
}
} // namespace

void RemoveTemporaryFilesOnInterrupt() {
    SetConsoleCtrlHandler(OnConsoleInterrupt, TRUE);
}

std::string ResolveReplaceTarget(const std::string& path) {
    return path;
}

std::string FolderPart(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) {
        // "C:name" lives in drive C's current folder.
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
    }
    return path.substr(0, cut + 1);
}

bool MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool FindFileName(const std::string& path, std::string& name) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    name = data.cFileName;
    return true;
}

PathKind KindOfPath(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

unsigned DriveType(const std::string& root) {
    return GetDriveTypeA(root.c_str());
}

std::vector<FoundEntry> FindEntries(const std::string& pattern) {
    std::vector<FoundEntry> entries;
    ForEachMatch(pattern, [&entries](const WIN32_FIND_DATAA& data) {
        entries.push_back(
            {data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    });
    return entries;
}

bool MakeSureDirectoryPathExists(const std::string& path) {
    std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos)
        return true;
    // Skip what cannot be created: a drive ("C:\") or a share ("\\server\share\").
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':') {
        start = 2;
    } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::size_t server = path.find_first_of("\\/", 2);
        std::size_t share =
            server == std::string::npos ? server : path.find_first_of("\\/", server + 1);
        if (share == std::string::npos || share >= last)
            return true;
        start = share + 1;
    }
    for (std::size_t i = start; i <= last; ++i) {
        if (!IsSeparator(path[i]) || i == 0 || IsSeparator(path[i - 1]))
            continue;
        if (i == 2 && path[1] == ':')
            continue;
        std::string folder = path.substr(0, i);
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    std::string whole = path.substr(0, last);
    if (whole.size() == 2 && whole[1] == ':')
        whole += '\\';
    return whole.empty() || IsFolder(whole);
}

unsigned long ProcessId() {
    return GetCurrentProcessId();
}

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names) {
    if (!IsFolder(folder))
        return false;
    std::string pattern = folder;
    if (pattern.empty() || !IsSeparator(pattern.back()))
        pattern += '\\';
    pattern += '*';
    // A folder with no match is empty, or one we may not list.
    ForEachMatch(pattern, [&names](const WIN32_FIND_DATAA& data) {
        constexpr DWORD skipped =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((data.dwFileAttributes & skipped) == 0)
            names.emplace_back(data.cFileName);
    });
    return true;
}

bool NarrowExactly(const std::wstring& wide, std::string& narrow) {
    narrow.clear();
    if (wide.empty())
        return true;
    const int wideLength = static_cast<int>(wide.size());
    // No flags: the UTF-8 code page takes none, and the round trip below catches
    // every replaced or best-fitted character in any code page.
    int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(), size, nullptr, nullptr);
    int back = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring again(static_cast<std::size_t>(back > 0 ? back : 0), L'\0');
    if (back > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), size, again.data(), back);
    if (again != wide)
        return false;
    narrow = std::move(text);
    return true;
}

} // namespace tavrik::os
