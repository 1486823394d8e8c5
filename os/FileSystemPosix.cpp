// The file system layer on POSIX systems.
#include "os/FileSystem.h"
#include "os/FileSystemShared.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrik::os {

File File::OpenForReading(const std::string& path) {
    File file;
    if (path.empty())
        return file;
    file.m_handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (file.m_handle >= 0 && (::fstat(file.m_handle, &info) != 0 || S_ISDIR(info.st_mode)))
        file.Close();
    if (file.m_handle >= 0 && S_ISREG(info.st_mode))
        file.m_readLimit = static_cast<std::uint64_t>(info.st_size);
    return file;
}

File File::ProbeForWriting(const std::string& path, ProbeResult& result) {
    File file;
    file.m_handle = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (file.m_handle >= 0)
        result = ProbeResult::Opened;
    else
        result = (errno == ENOENT || errno == ENOTDIR) ? ProbeResult::Missing : ProbeResult::Failed;
    return file;
}

File File::CreateTruncating(const std::string& path) {
    File file;
    file.m_handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return file;
}

File File::CreateNew(const std::string& path, bool& alreadyExists) {
    File file;
    file.m_handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    alreadyExists = file.m_handle < 0 && errno == EEXIST;
    return file;
}

File File::StandardOutput() {
    File file;
    file.m_handle = STDOUT_FILENO;
    file.m_owned = false;
    return file;
}

long long File::ReadOnce(void* buffer, std::size_t size) {
    for (;;) {
        ssize_t got = ::read(m_handle, buffer, size);
        if (got < 0 && errno == EINTR)
            continue;
        return got;
    }
}

long long File::WriteOnce(const char* data, std::size_t size) {
    for (;;) {
        ssize_t written = ::write(m_handle, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        return written;
    }
}

bool File::Close() {
    if (m_handle < 0)
        return true;
    int fd = std::exchange(m_handle, NoHandle());
    if (!m_owned)
        return true;
    // After EINTR the descriptor is gone on Linux; retrying could close another file.
    return ::close(fd) == 0 || errno == EINTR;
}

bool File::Identity(FileIdentity& identity) const {
    struct stat info;
    if (::fstat(m_handle, &info) != 0)
        return false;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool File::IsRegular() const {
    struct stat info;
    return ::fstat(m_handle, &info) == 0 && S_ISREG(info.st_mode);
}

std::uint64_t File::Size() const {
    struct stat info;
    if (::fstat(m_handle, &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

unsigned File::Mode() const {
    struct stat info;
    if (::fstat(m_handle, &info) != 0)
        return 0666;
    return static_cast<unsigned>(info.st_mode & 07777);
}

bool File::SetMode(unsigned mode) {
    return ::fchmod(m_handle, static_cast<mode_t>(mode)) == 0;
}

bool File::LosesByReplacement(File& replacement) const {
    struct stat mine, theirs;
    if (::fstat(m_handle, &mine) != 0 || ::fstat(replacement.m_handle, &theirs) != 0)
        return true;
    if (mine.st_nlink > 1)
        return true;
    if (mine.st_uid == theirs.st_uid && mine.st_gid == theirs.st_gid)
        return false;
    return ::fchown(replacement.m_handle, mine.st_uid, mine.st_gid) != 0;
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
    for (int slot = 0; slot < shared::kPendingSlots; ++slot)
        if (const char* path = shared::ArmedTemporary(slot))
            ::unlink(path);
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

} // namespace tavrik::os
