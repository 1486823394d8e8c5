#pragma once

#include "convert/Emitters.h"

#include <cstdint>
#include <string>

namespace tavrik {

struct ConvertFields {
    std::string destination;
    std::string label;
    int format = 0;
};

// The command-line converter's additions; the window keeps the defaults.
struct OutputOptions {
    EmitOptions emit;
    bool labelsFromFileNames = false;
};

// A refusal stops the run before anything is written; an entry's failure stops only
// that entry.
enum class MessageKind { Refused, EntryFailed };

class ConvertHost {
  public:
    virtual ~ConvertHost() = default;

    virtual ConvertFields ReadFields() = 0;

    virtual int GetEntryCount() = 0;
    virtual std::string GetEntryText(int index) = 0;

    virtual void SetProgressRange(std::int32_t lower, std::int32_t upper) = 0;
    virtual void SetProgressStep(int step) = 0;
    virtual void StepProgress() = 0;
    virtual void SetProgressPosition(int position) = 0;

    virtual bool MakeSureDirectoryPathExists(std::string path) = 0;

    // Each host shows |kind| its own way: the window by a box's caption, the command-line
    // converter by its exit status.
    virtual void ShowMessage(std::string text, MessageKind kind) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    virtual void ShowEntryBytes(std::uint64_t converted, std::uint64_t total) {
        (void)converted;
        (void)total;
    }

    // A path as the messages show it; a terminal, for one, must not get its control
    // characters raw.
    virtual std::string ShowablePath(std::string path) { return path; }
};

enum class ConvertTarget { Files, StandardOutput };

// The symbol of entry index (0-based) out of count entries.
std::string EntryLabel(const ConvertFields& fields, const OutputOptions& options, int count,
                       int index, const std::string& inputPath);

void RunConversion(ConvertHost& host, ConvertTarget target = ConvertTarget::Files,
                   const OutputOptions& options = {});

} // namespace tavrik
