#include "convert/OutputFile.h"

#include <atomic>
#include <cstdio>
#include <optional>

namespace tavrik {

using os::File;

namespace {

std::string TemporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".tvk%lx-%x.tmp", tavrik::os::ProcessId(),
                  counter.fetch_add(1));
    return tavrik::os::FolderPart(target) + suffix;
}

ConvertResult WriteInPlace(const std::string& outputPath, const OutputWriter& write) {
    File output = File::CreateTruncating(outputPath);
    if (!output.IsOpen())
        return CONVERT_OUTPUT_FAILED;
    ConvertResult result = write(output);
    if (!output.Close() && result == CONVERT_OK)
        result = CONVERT_WRITE_FAILED;
    return result;
}

} // namespace

bool IsSameFile(const File& a, const File& b) {
    tavrik::os::FileIdentity first, second;
    return a.Identity(first) && b.Identity(second) && first == second;
}

ConvertResult ReplaceOutputFile(const File& input, const std::string& outputPath,
                                const OutputWriter& write) {
    // Learn before writing anything whether the output could be replaced at all,
    // and whether it is the input itself.
    const std::string target = tavrik::os::ResolveReplaceTarget(outputPath);
    tavrik::os::ProbeResult probe;
    File existing = File::ProbeForWriting(target, probe);
    if (probe == tavrik::os::ProbeResult::Failed)
        return CONVERT_OUTPUT_FAILED;
    unsigned mode = tavrik::os::NewFileMode();
    if (probe == tavrik::os::ProbeResult::Opened) {
        if (IsSameFile(input, existing))
            return CONVERT_SAME_FILE;
        if (!existing.IsRegular()) {
            // Devices and pipes cannot be replaced by renaming.
            existing.Close();
            return WriteInPlace(target, write);
        }
        mode = existing.Mode();
    }

    std::string temporary;
    std::optional<tavrik::os::TemporaryGuard> guard;
    File output;
    for (int attempt = 0; attempt < 100 && !output.IsOpen(); ++attempt) {
        temporary = TemporaryNameFor(target);
        guard.emplace(temporary);
        bool exists = false;
        output = File::CreateNew(temporary, exists);
        if (!output.IsOpen() && !exists)
            break;
    }
    // A folder that takes no new file, or a file that a rename would rob of its links or
    // owner, is still written where it is, as an existing file always could be.
    bool inPlace = false;
    if (!output.IsOpen()) {
        guard.reset();
        if (probe != tavrik::os::ProbeResult::Opened)
            return CONVERT_OUTPUT_FAILED;
        inPlace = true;
    } else if (probe == tavrik::os::ProbeResult::Opened && existing.LosesByReplacement(output)) {
        output.Close();
        tavrik::os::RemoveFile(temporary);
        guard.reset();
        inPlace = true;
    }
    existing.Close();
    if (inPlace)
        return WriteInPlace(target, write);

    ConvertResult result = write(output);
    if (result == CONVERT_OK)
        output.SetMode(mode);
    if (!output.Close() && result == CONVERT_OK)
        result = CONVERT_WRITE_FAILED;
    if (result == CONVERT_OK && !tavrik::os::MoveReplacing(temporary, target))
        result = CONVERT_OUTPUT_FAILED;
    if (result != CONVERT_OK)
        tavrik::os::RemoveFile(temporary);
    return result;
}

} // namespace tavrik
