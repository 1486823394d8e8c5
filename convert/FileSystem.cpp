#include "FileSystem.h"

#include <atomic>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrik::os {

namespace {
std::atomic<long long> g_readFailAfter{-1};
std::atomic<long long> g_writeFailAfter{-1};

bool WriteFaultDue(std::uint64_t written, std::size_t size) {
    long long failAfter = g_writeFailAfter;
    return failAfter >= 0 && written + size > static_cast<std::uint64_t>(failAfter);
}

// Temporary files that an interrupt must remove. An interrupt handler reads them, so
// they are fixed buffers published through lock-free flags, never allocated strings.
constexpr int kPendingSlots = 16;
constexpr std::size_t kPendingPathSize = 4096;
struct PendingTemporary {
    std::atomic<bool> claimed{false};
    std::atomic<bool> armed{false};
    char path[kPendingPathSize];
};
PendingTemporary g_pending[kPendingSlots];

void RemovePendingTemporaries();
} // namespace

TemporaryGuard::TemporaryGuard(const std::string& path) {
    if (path.size() >= kPendingPathSize)
        return;
    for (int i = 0; i < kPendingSlots; ++i) {
        bool expected = false;
        if (g_pending[i].claimed.compare_exchange_strong(expected, true)) {
            path.copy(g_pending[i].path, path.size());
            g_pending[i].path[path.size()] = '\0';
            g_pending[i].armed = true;
            slot_ = i;
            return;
        }
    }
}

TemporaryGuard::~TemporaryGuard() {
    if (slot_ < 0)
        return;
    g_pending[slot_].armed = false;
    g_pending[slot_].claimed = false;
}

void SetReadFailureForTesting(long long failAfter) {
    g_readFailAfter = failAfter;
}

void SetWriteFailureForTesting(long long failAfter) {
    g_writeFailAfter = failAfter;
}

File::File(File&& other) noexcept {
    *this = std::move(other);
}

#ifdef _WIN32

namespace {
HANDLE Invalid() {
    return INVALID_HANDLE_VALUE;
}
bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
} // namespace

File::~File() {
    Close();
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, Invalid());
        owned_ = other.owned_;
        bytesRead_ = other.bytesRead_;
        readLimit_ = other.readLimit_;
        bytesWritten_ = other.bytesWritten_;
    }
    return *this;
}

File File::OpenForReading(const std::string& path) {
    File file;
    if (path.empty() || IsFolder(path))
        return file;
    file.handle_ = CreateFileA(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    // A device (aux.tim is AUX) could be read for ever; only disk files are input.
    if (file.IsOpen() && !file.IsRegular())
        file.Close();
    if (file.IsOpen())
        file.readLimit_ = file.Size();
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
    file.handle_ = CreateFileA(path.c_str(), GENERIC_WRITE,
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
    file.handle_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    return file;
}

File File::CreateNew(const std::string& path, bool& alreadyExists) {
    File file;
    // Sharing deletion lets the interrupt handler remove the file while it is written.
    file.handle_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    alreadyExists = !file.IsOpen() &&
                    (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS);
    return file;
}

File File::StandardOutput() {
    File file;
    file.handle_ = GetStdHandle(STD_OUTPUT_HANDLE);
    if (file.handle_ == nullptr)
        file.handle_ = Invalid();
    file.owned_ = false;
    return file;
}

bool File::IsOpen() const {
    return handle_ != Invalid();
}

long long File::Read(void* buffer, std::size_t size) {
    long long failAfter = g_readFailAfter;
    if (failAfter >= 0 && bytesRead_ >= static_cast<std::uint64_t>(failAfter))
        return -1;
    if (readLimit_ - bytesRead_ < size)
        size = static_cast<std::size_t>(readLimit_ - bytesRead_);
    if (size == 0)
        return 0;
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr)) {
        // A pipe whose writer has gone has simply ended.
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    }
    bytesRead_ += got;
    return got;
}

bool File::WriteAll(const void* data, std::size_t size) {
    if (WriteFaultDue(bytesWritten_, size))
        return false;
    bytesWritten_ += size;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(handle_, p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        size -= written;
    }
    return true;
}

bool File::Close() {
    if (!IsOpen())
        return true;
    HANDLE handle = std::exchange(handle_, Invalid());
    return owned_ ? CloseHandle(handle) != 0 : true;
}

bool File::Identity(FileIdentity& identity) const {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(handle_, &info)) {
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
        query(handle_, &status, &index, sizeof index, kFileInternalInformation) < 0)
        return false;
    identity.volume = 0;
    identity.index = static_cast<std::uint64_t>(index.QuadPart);
    identity.volumeKnown = false;
    return true;
}

bool File::IsRegular() const {
    return GetFileType(handle_) == FILE_TYPE_DISK;
}

std::uint64_t File::Size() const {
    LARGE_INTEGER size;
    if (!IsRegular() || !GetFileSizeEx(handle_, &size))
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
    for (auto& pending : g_pending)
        if (pending.armed)
            DeleteFileA(pending.path);
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
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return true; // an empty folder, or one we may not list
    do {
        constexpr DWORD skipped =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((data.dwFileAttributes & skipped) == 0)
            names.emplace_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
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

#else // POSIX

File::~File() {
    Close();
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        owned_ = other.owned_;
        bytesRead_ = other.bytesRead_;
        readLimit_ = other.readLimit_;
        bytesWritten_ = other.bytesWritten_;
    }
    return *this;
}

File File::OpenForReading(const std::string& path) {
    File file;
    if (path.empty())
        return file;
    file.fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (file.fd_ >= 0 && (::fstat(file.fd_, &info) != 0 || S_ISDIR(info.st_mode)))
        file.Close();
    if (file.fd_ >= 0 && S_ISREG(info.st_mode))
        file.readLimit_ = static_cast<std::uint64_t>(info.st_size);
    return file;
}

File File::ProbeForWriting(const std::string& path, ProbeResult& result) {
    File file;
    file.fd_ = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (file.fd_ >= 0)
        result = ProbeResult::Opened;
    else
        result = (errno == ENOENT || errno == ENOTDIR) ? ProbeResult::Missing : ProbeResult::Failed;
    return file;
}

File File::CreateTruncating(const std::string& path) {
    File file;
    file.fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return file;
}

File File::CreateNew(const std::string& path, bool& alreadyExists) {
    File file;
    file.fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    alreadyExists = file.fd_ < 0 && errno == EEXIST;
    return file;
}

File File::StandardOutput() {
    File file;
    file.fd_ = STDOUT_FILENO;
    file.owned_ = false;
    return file;
}

bool File::IsOpen() const {
    return fd_ >= 0;
}

long long File::Read(void* buffer, std::size_t size) {
    long long failAfter = g_readFailAfter;
    if (failAfter >= 0 && bytesRead_ >= static_cast<std::uint64_t>(failAfter))
        return -1;
    if (readLimit_ - bytesRead_ < size)
        size = static_cast<std::size_t>(readLimit_ - bytesRead_);
    if (size == 0)
        return 0;
    for (;;) {
        ssize_t got = ::read(fd_, buffer, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got > 0)
            bytesRead_ += static_cast<std::uint64_t>(got);
        return got;
    }
}

bool File::WriteAll(const void* data, std::size_t size) {
    if (WriteFaultDue(bytesWritten_, size))
        return false;
    bytesWritten_ += size;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t written = ::write(fd_, p, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool File::Close() {
    if (fd_ < 0)
        return true;
    int fd = std::exchange(fd_, -1);
    if (!owned_)
        return true;
    // After EINTR the descriptor is gone on Linux; retrying could close another file.
    return ::close(fd) == 0 || errno == EINTR;
}

bool File::Identity(FileIdentity& identity) const {
    struct stat info;
    if (::fstat(fd_, &info) != 0)
        return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool File::IsRegular() const {
    struct stat info;
    return ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
}

std::uint64_t File::Size() const {
    struct stat info;
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

unsigned File::Mode() const {
    struct stat info;
    if (::fstat(fd_, &info) != 0)
        return 0666;
    return static_cast<unsigned>(info.st_mode & 07777);
}

bool File::SetMode(unsigned mode) {
    return ::fchmod(fd_, static_cast<mode_t>(mode)) == 0;
}

bool File::LosesByReplacement(File& replacement) const {
    struct stat mine, theirs;
    if (::fstat(fd_, &mine) != 0 || ::fstat(replacement.fd_, &theirs) != 0)
        return true;
    if (mine.st_nlink > 1)
        return true;
    if (mine.st_uid == theirs.st_uid && mine.st_gid == theirs.st_gid)
        return false;
    return ::fchown(replacement.fd_, mine.st_uid, mine.st_gid) != 0;
}

bool IdentifyPath(const std::string& path, FileIdentity& identity, bool& regular) {
    struct stat info;
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    regular = S_ISREG(info.st_mode);
    return true;
}

unsigned NewFileMode() {
    // Linux tells the mask without changing it; elsewhere reading it means setting it,
    // which is done once, before any thread creates a file.
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr)
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return 0666u & ~mask;
    }
    static const unsigned mode = [] {
        mode_t mask = ::umask(022);
        ::umask(mask);
        return 0666u & ~static_cast<unsigned>(mask);
    }();
    return mode;
}

namespace {
void RemovePendingTemporaries() {
    for (auto& pending : g_pending)
        if (pending.armed)
            ::unlink(pending.path);
}

void OnInterrupt(int signal) {
    RemovePendingTemporaries();
    // Ends the process with the status that the signal gives when nobody handles it.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}
} // namespace

void RemoveTemporaryFilesOnInterrupt() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        // A signal that the caller chose to ignore (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue;
        action = {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

std::string ResolveReplaceTarget(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

std::string FolderPart(const std::string& path) {
    std::size_t cut = path.rfind('/');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool MoveReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool FindFileName(const std::string& path, std::string& name) {
    // As on Windows, a path that ends in a separator names no file.
    struct stat info;
    if (path.empty() || path.back() == '/' || ::stat(path.c_str(), &info) != 0)
        return false;
    std::size_t slash = path.rfind('/');
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    return true;
}

bool MakeSureDirectoryPathExists(const std::string& path) {
    std::size_t last = path.rfind('/');
    if (last == std::string::npos)
        return true;
    for (std::size_t i = 1; i <= last; ++i) {
        if (path[i] != '/' || path[i - 1] == '/')
            continue;
        std::string folder = path.substr(0, i);
        if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info;
    std::string whole = path.substr(0, last + 1);
    return ::stat(whole.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        struct stat info;
        // A folder we may not list holds nothing we can add; anything else is no folder.
        return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != '/')
        prefix += '/';
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat info;
        if (::stat((prefix + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return true;
}

#endif

} // namespace tavrik::os
