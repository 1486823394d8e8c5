#include "os/FileSystem.h"
#include "os/FileSystemShared.h"

#include <atomic>
#include <utility>

namespace tavrik::os {

namespace {
std::atomic<long long> g_readFailAfter{-1};
std::atomic<long long> g_writeFailAfter{-1};

// Temporary files that an interrupt must remove. An interrupt handler reads them, so
// they are fixed buffers published through lock-free flags, never allocated strings.
constexpr std::size_t kPendingPathSize = 4096;
struct PendingTemporary {
    std::atomic<bool> claimed{false};
    std::atomic<bool> armed{false};
    char path[kPendingPathSize];
};
PendingTemporary g_pending[shared::kPendingSlots];
} // namespace

namespace shared {

bool ReadFaultDue(std::uint64_t read) {
    long long failAfter = g_readFailAfter;
    return failAfter >= 0 && read >= static_cast<std::uint64_t>(failAfter);
}

bool WriteFaultDue(std::uint64_t written, std::size_t size) {
    long long failAfter = g_writeFailAfter;
    return failAfter >= 0 && written + size > static_cast<std::uint64_t>(failAfter);
}

const char* ArmedTemporary(int slot) {
    return g_pending[slot].armed ? g_pending[slot].path : nullptr;
}

} // namespace shared

TemporaryGuard::TemporaryGuard(const std::string& path) {
    if (path.size() >= kPendingPathSize)
        return;
    for (int i = 0; i < shared::kPendingSlots; ++i) {
        bool expected = false;
        if (g_pending[i].claimed.compare_exchange_strong(expected, true)) {
            path.copy(g_pending[i].path, path.size());
            g_pending[i].path[path.size()] = '\0';
            g_pending[i].armed = true;
            m_slot = i;
            return;
        }
    }
}

TemporaryGuard::~TemporaryGuard() {
    if (m_slot < 0)
        return;
    g_pending[m_slot].armed = false;
    g_pending[m_slot].claimed = false;
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

File::~File() {
    Close();
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, NoHandle());
        m_owned = other.m_owned;
        m_bytesRead = other.m_bytesRead;
        m_readLimit = other.m_readLimit;
        m_bytesWritten = other.m_bytesWritten;
    }
    return *this;
}

bool File::IsOpen() const {
    return m_handle != NoHandle();
}

long long File::Read(void* buffer, std::size_t size) {
    if (shared::ReadFaultDue(m_bytesRead))
        return -1;
    if (m_readLimit - m_bytesRead < size)
        size = static_cast<std::size_t>(m_readLimit - m_bytesRead);
    if (size == 0)
        return 0;
    long long got = ReadOnce(buffer, size);
    if (got > 0)
        m_bytesRead += static_cast<std::uint64_t>(got);
    return got;
}

bool File::WriteAll(const void* data, std::size_t size) {
    if (shared::WriteFaultDue(m_bytesWritten, size))
        return false;
    m_bytesWritten += size;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        long long written = WriteOnce(p, size);
        if (written <= 0)
            return false;
        p += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace tavrik::os
