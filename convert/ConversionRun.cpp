#include "ConversionRun.h"

#include "Emitters.h"
#include "OutputNaming.h"
#include "Symbols.h"

namespace {

// Formats like "%s" with one argument, without reading the argument as a pattern.
std::string WithPath(const std::string& pattern, const std::string& path) {
    std::size_t at = pattern.find("%s");
    return pattern.substr(0, at) + path + pattern.substr(at + 2);
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
    explicit WaitCursor(ConvertHost& host) : host_(host) { host_.BeginWaitCursor(); }
    ~WaitCursor() { host_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    ConvertHost& host_;
};

const char* const kStandardOutputName = "(standard output)";

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
        host.ShowMessage("You have to select at least one source file!", kRefusalCaption);
        return;
    }
    if (fields.destination.empty()) {
        host.ShowMessage("You have to choose a destination folder for the output file(s)!",
                         kRefusalCaption);
        return;
    }
    if (fields.label.empty()) {
        host.ShowMessage("You have to specify a label for the output file(s)!", kRefusalCaption);
        return;
    }
    if (target == ConvertTarget::Files &&
        !host.MakeSureDirectoryPathExists(fields.destination + kPathSeparator)) {
        host.ShowMessage("Failed to create destination folder!\nOperation cancelled!",
                         kRefusalCaption);
        return;
    }

    WaitCursor wait(host);
    const ByteProgress progress = [&host](std::uint64_t converted, std::uint64_t total) {
        host.ShowEntryBytes(converted, total);
    };
    for (int i = 0; i < count; ++i) {
        host.StepProgress();
        const std::string inputPath = host.GetEntryText(i);
        const std::string label = EntryLabel(fields, options, count, i, inputPath);
        if (fields.format != 0 && fields.format != 1)
            continue;
        const SourceFormat format = fields.format == 0 ? SourceFormat::C : SourceFormat::Asm;

        std::string outputPath;
        ConvertResult result;
        if (target == ConvertTarget::StandardOutput) {
            outputPath = kStandardOutputName;
            result = ConvertToStandardOutput(format, inputPath, label, progress, options.emit);
        } else {
            outputPath = MakeOutputPath(inputPath, fields.destination,
                                        format == SourceFormat::C ? "c" : "asm");
            result = ConvertFile(format, inputPath, outputPath, label, progress, options.emit);
        }
        if (result != CONVERT_OK)
            host.ShowMessage(EntryFailureText(result, inputPath, outputPath), kEntryFailureCaption);
    }
    host.SetProgressPosition(0);
}
