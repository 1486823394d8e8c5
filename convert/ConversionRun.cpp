#include "convert/ConversionRun.h"

#include "convert/Emitters.h"
#include "os/FileSystem.h"
#include "convert/OutputNaming.h"
#include "convert/Symbols.h"

#include <vector>

namespace tavrik {

namespace {

// Formats like "%s" with one argument, without reading the argument as a pattern.
std::string WithPath(const std::string& pattern, const std::string& path) {
    std::size_t at = pattern.find("%s");
    return pattern.substr(0, at) + path + pattern.substr(at + 2);
}

std::string WithPaths(const std::string& pattern, const std::string& first,
                      const std::string& second) {
    std::size_t at = pattern.find("%s");
    return pattern.substr(0, at) + first + WithPath(pattern.substr(at + 2), second);
}

std::string EntryFailureText(ConvertResult result, const std::string& inputPath,
                             const std::string& outputPath) {
    switch (result) {
    case CONVERT_OK:
        return std::string();
    case CONVERT_INPUT_FAILED:
        return WithPath("Failed to open input file %s!", inputPath);
    case CONVERT_OUTPUT_FAILED:
        return WithPath("Failed to open output file %s!", outputPath);
    case CONVERT_WRITE_FAILED:
        return WithPath("Failed to write output file %s!", outputPath);
    case CONVERT_READ_FAILED:
        return WithPath("Failed to read input file %s!", inputPath);
    case CONVERT_SAME_FILE:
        return WithPath("Output file %s would overwrite its input file!", outputPath);
    }
    return std::string();
}

class WaitCursor {
  public:
    explicit WaitCursor(ConvertHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~WaitCursor() { m_host.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    ConvertHost& m_host;
};

const char* const kStandardOutputName = "(standard output)";

struct KnownFile {
    tavrik::os::FileIdentity identity;
    int entry = -1;
};

// What the run must not replace: every input as it was before anything was written,
// and every output that the run itself has written.
class RunFiles {
  public:
    void AddInput(const std::string& path, int entry) {
        KnownFile file{{}, entry};
        bool regular = false;
        if (tavrik::os::IdentifyPath(path, file.identity, regular))
            m_inputs.push_back(file);
    }
    void AddWritten(const std::string& path) {
        KnownFile file;
        bool regular = false;
        // Writing to a device or a pipe again replaces nothing.
        if (tavrik::os::IdentifyPath(path, file.identity, regular) && regular)
            m_written.push_back(file);
    }
    // The entry whose input |identity| is, other than |entry| itself; -1 for none.
    int OtherInput(const tavrik::os::FileIdentity& identity, int entry) const {
        for (const auto& input : m_inputs)
            if (input.identity == identity && input.entry != entry)
                return input.entry;
        return -1;
    }
    bool IsInputOf(const tavrik::os::FileIdentity& identity, int entry) const {
        for (const auto& input : m_inputs)
            if (input.identity == identity && input.entry == entry)
                return true;
        return false;
    }
    bool Written(const tavrik::os::FileIdentity& identity) const {
        for (const auto& output : m_written)
            if (output.identity == identity)
                return true;
        return false;
    }

  private:
    std::vector<KnownFile> m_inputs;
    std::vector<KnownFile> m_written;
};

} // namespace

std::string EntryLabel(const ConvertFields& fields, const OutputOptions& options, int count,
                       int index, const std::string& inputPath) {
    if (options.labelsFromFileNames)
        return SymbolFromFileName(inputPath);
    return count == 1 ? fields.label : MakeIndexedLabel(fields.label, index + 1);
}

void RunConversion(ConvertHost& host, ConvertTarget target, const OutputOptions& options) {
    const ConvertFields fields = host.ReadFields();
    const int count = host.GetEntryCount();

    host.SetProgressRange(0, count);
    host.SetProgressStep(1);

    if (count <= 0) {
        host.ShowMessage("You have to select at least one source file!", MessageKind::Refused);
        return;
    }
    if (fields.destination.empty()) {
        host.ShowMessage("You have to choose a destination folder for the output file(s)!",
                         MessageKind::Refused);
        return;
    }
    if (fields.label.empty()) {
        host.ShowMessage("You have to specify a label for the output file(s)!",
                         MessageKind::Refused);
        return;
    }
    if (target == ConvertTarget::Files &&
        !host.MakeSureDirectoryPathExists(fields.destination + kPathSeparator)) {
        host.ShowMessage("Failed to create destination folder!\nOperation cancelled!",
                         MessageKind::Refused);
        return;
    }

    WaitCursor wait(host);
    std::vector<std::string> inputs;
    RunFiles files;
    for (int i = 0; i < count; ++i) {
        inputs.push_back(host.GetEntryText(i));
        files.AddInput(inputs.back(), i);
    }
    tavrik::os::FileIdentity standardOutput;
    const bool standardOutputKnown = target == ConvertTarget::StandardOutput &&
                                     tavrik::os::File::StandardOutput().IsRegular() &&
                                     tavrik::os::File::StandardOutput().Identity(standardOutput);

    const ByteProgress progress = [&host](std::uint64_t converted, std::uint64_t total) {
        host.ShowEntryBytes(converted, total);
    };
    for (int i = 0; i < count; ++i) {
        host.StepProgress();
        const std::string& inputPath = inputs[static_cast<std::size_t>(i)];
        const std::string label = EntryLabel(fields, options, count, i, inputPath);
        if (fields.format != 0 && fields.format != 1)
            continue;
        const SourceFormat format = fields.format == 0 ? SourceFormat::C : SourceFormat::Asm;

        std::string outputPath;
        ConvertResult result = CONVERT_OK;
        std::string refusal;
        if (target == ConvertTarget::StandardOutput) {
            outputPath = kStandardOutputName;
            const int other = standardOutputKnown && !files.IsInputOf(standardOutput, i)
                                  ? files.OtherInput(standardOutput, i)
                                  : -1;
            if (other >= 0)
                refusal = WithPaths("Output file %s would overwrite input file %s of this run!",
                                    outputPath,
                                    host.ShowablePath(inputs[static_cast<std::size_t>(other)]));
            else
                result = ConvertToStandardOutput(format, inputPath, label, progress, options.emit);
        } else {
            outputPath = MakeOutputPath(inputPath, fields.destination,
                                        format == SourceFormat::C ? "c" : "asm");
            tavrik::os::FileIdentity existing;
            bool regular = false;
            const bool exists = tavrik::os::IdentifyPath(outputPath, existing, regular);
            // Its own input is the emitter's to refuse, with its own message.
            const int other =
                exists && !files.IsInputOf(existing, i) ? files.OtherInput(existing, i) : -1;
            if (exists && files.Written(existing))
                refusal = WithPath("Output file %s was already written in this run!",
                                   host.ShowablePath(outputPath));
            else if (other >= 0)
                refusal = WithPaths("Output file %s would overwrite input file %s of this run!",
                                    host.ShowablePath(outputPath),
                                    host.ShowablePath(inputs[static_cast<std::size_t>(other)]));
            else
                result = ConvertFile(format, inputPath, outputPath, label, progress, options.emit);
            if (refusal.empty() && result == CONVERT_OK)
                files.AddWritten(outputPath);
        }
        if (!refusal.empty())
            host.ShowMessage(refusal, MessageKind::EntryFailed);
        else if (result != CONVERT_OK)
            host.ShowMessage(EntryFailureText(result, host.ShowablePath(inputPath),
                                              host.ShowablePath(outputPath)),
                             MessageKind::EntryFailed);
    }
    host.SetProgressPosition(0);
}

} // namespace tavrik
