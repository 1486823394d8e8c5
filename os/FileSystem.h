#pragma once

// The programs' only door to the operating system. Everything here works on raw,
// unbuffered handles: the emitters do their own buffering, and no text-mode
// translation can ever touch the bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrik::os {

struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    // A file whose volume cannot be learned is taken to be on any volume: two files
    // are then told apart by their index alone, which errs on the side of "same".
    bool volumeKnown = true;
    bool operator==(const FileIdentity& other) const {
        return index == other.index &&
               (volume == other.volume || !volumeKnown || !other.volumeKnown);
    }
};

enum class ProbeResult { Missing, Opened, Failed };

class File {
  public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Folders count as unopenable, on every platform; so do devices on Windows, where a
    // name such as aux.tim opens one. A regular file is read only up to the size it had
    // when it was opened, so that a run never chases text appended to its own input.
    static File OpenForReading(const std::string& path);
    // Opens an existing file for writing without truncating it, to learn early
    // whether it can be replaced. Never blocks on a pipe without a reader.
    static File ProbeForWriting(const std::string& path, ProbeResult& result);
    static File CreateTruncating(const std::string& path);
    // Readable by its owner only, whatever it later becomes.
    static File CreateNew(const std::string& path, bool& alreadyExists);
    static File StandardOutput();

    bool IsOpen() const;
    // Bytes read, 0 at the end, -1 on an error.
    long long Read(void* buffer, std::size_t size);
    bool WriteAll(const void* data, std::size_t size);
    // False when closing reported an error (the data may not have reached the disk).
    bool Close();

    bool Identity(FileIdentity& identity) const;
    bool IsRegular() const;
    std::uint64_t Size() const;
    // Permission bits natively; nothing on Windows.
    unsigned Mode() const;
    bool SetMode(unsigned mode);
    // Whether a file put in this one's place by renaming would lose something of it:
    // other hard links, or an owner and group that |replacement| cannot be given (it is
    // given them here when it can). Never on Windows.
    bool LosesByReplacement(File& replacement) const;

  private:
#ifdef _WIN32
    using Handle = void*;
    static Handle NoHandle() {
        return reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
    }
#else
    using Handle = int;
    static constexpr Handle NoHandle() {
        return -1;
    }
#endif
    // One call of the platform's read or write: bytes moved, 0 at the end, -1 on an error.
    long long ReadOnce(void* buffer, std::size_t size);
    long long WriteOnce(const char* data, std::size_t size);

    Handle m_handle = NoHandle();
    bool m_owned = true;
    std::uint64_t m_bytesRead = 0;
    std::uint64_t m_readLimit = UINT64_MAX;
    std::uint64_t m_bytesWritten = 0;
};

enum class PathKind { Missing, Folder, File };

struct FoundEntry {
    std::string name;
    bool folder = false;
};

// The file that |path| names, links followed; false when there is none to be seen.
bool IdentifyPath(const std::string& path, FileIdentity& identity, bool& regular);
// The permission bits that a file created here is given.
unsigned NewFileMode();

// While one of these lives, an interrupt of the process (a terminating signal, Ctrl+C
// or a closed console) removes |path| before the process ends.
class TemporaryGuard {
  public:
    explicit TemporaryGuard(const std::string& path);
    ~TemporaryGuard();
    TemporaryGuard(const TemporaryGuard&) = delete;
    TemporaryGuard& operator=(const TemporaryGuard&) = delete;

  private:
    int m_slot = -1;
};
// Installs the handlers behind TemporaryGuard; the programs call it once at start.
void RemoveTemporaryFilesOnInterrupt();

// The file that writing to |path| really changes (natively: a symbolic link's target).
std::string ResolveReplaceTarget(const std::string& path);
// Everything of |path| up to and including its last separator; "" for none.
std::string FolderPart(const std::string& path);
bool MoveReplacing(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// The name of the file or folder that |path| names, as stored on disk.
bool FindFileName(const std::string& path, std::string& name);
// Creates every missing folder of |path| up to its last separator.
bool MakeSureDirectoryPathExists(const std::string& path);
unsigned long ProcessId();
// The names of the files directly inside |folder|: no folders, nothing hidden (on
// Windows, no system files either). False when |folder| is no folder.
bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names);

#ifdef _WIN32
// What |path| names, links followed; anything that is no folder counts as a file.
PathKind KindOfPath(const std::string& path);
// The type of drive whose root |root| is, numbered as the platform numbers it.
unsigned DriveType(const std::string& root);
// The entries that a search pattern with wildcards matches, "." and ".." among them.
std::vector<FoundEntry> FindEntries(const std::string& pattern);
// |wide| in the active code page; false when that code page cannot spell it exactly,
// where a best-fit look-alike (a for alpha) could name another file.
bool NarrowExactly(const std::wstring& wide, std::string& narrow);
#endif

// Lets tests make a read fail after |failAfter| bytes of an input; negative turns it off.
void SetReadFailureForTesting(long long failAfter);
// Lets tests make a write fail, as on a full disk, once |failAfter| bytes of a file
// are written; negative turns it off.
void SetWriteFailureForTesting(long long failAfter);

} // namespace tavrik::os
