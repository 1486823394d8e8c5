#include "cli/CommandLine.h"
#include "os/FileSystem.h"
#include "cli/InfoCommand.h"
#include "convert/Symbols.h"
#include "cli/TerminalHost.h"

#include <cstdio>

#ifdef _WIN32
#include "cli/WideArguments.h"

#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace tavrik;

namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kRefused = 2;

// Any label is accepted, but one the toolchain rejects would only fail later, in a
// build far from its cause.
void WarnAboutLabel(const ConvertFields& fields, const OutputOptions& options, SourceFormat format,
                    int count) {
    if (options.labelsFromFileNames || fields.label.empty() || count < 1)
        return;
    if (IsValidSymbol(EntryLabel(fields, options, count, 0, std::string()), format))
        return;
    std::fprintf(stderr, "tavrik: warning: label \"%s\" is not a valid %s symbol\n",
                 fields.label.c_str(), format == SourceFormat::C ? "C" : "assembler");
}

bool WriteHeader(const std::string& path, const ConvertFields& fields, const OutputOptions& options,
                 const std::vector<std::string>& entries) {
    std::vector<std::string> labels;
    const int count = static_cast<int>(entries.size());
    for (int i = 0; i < count; ++i)
        labels.push_back(
            EntryLabel(fields, options, count, i, entries[static_cast<std::size_t>(i)]));
    if (WriteHeaderFile(path, DeclarationHeader(path, labels, options.emit)))
        return true;
    std::fprintf(stderr, "Failed to write header file %s!\n", path.c_str());
    return false;
}

// A descriptor 0, 1 or 2 that the caller left closed would be taken by the first file
// opened here, and messages or text meant for a stream would reach that file. Each is
// filled with the null device, opened so that a write there fails rather than vanish.
void ReserveStandardDescriptors() {
#ifndef _WIN32
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            continue;
        int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd)
            ::close(opened);
    }
#endif
}

// The usage or version text, reported when it cannot be written (a closed or full output).
int PrintInformation(const char* text) {
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        std::fputs("tavrik: cannot write to standard output\n", stderr);
        return kRefused;
    }
    return kAllConverted;
}

} // namespace

int main(int argc, char** argv) {
    ReserveStandardDescriptors();
    tavrik::os::RemoveTemporaryFilesOnInterrupt();
    std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef _WIN32
    if (std::string refusal; !TakeWideArguments(arguments, refusal)) {
        std::fprintf(stderr, "tavrik: %s\n", refusal.c_str());
        return kRefused;
    }
#endif
    CommandLine line;
    const std::string error = ParseCommandLine(arguments, line);
    if (!error.empty()) {
        std::fprintf(stderr, "tavrik: %s\n%s", error.c_str(), kUsage);
        return kRefused;
    }
    if (line.help)
        return PrintInformation(kUsage);
    if (line.version)
        return PrintInformation(kVersion);
    if (line.info) {
        if (line.files.empty()) {
            std::fprintf(stderr, "tavrik: --info needs at least one file\n%s", kUsage);
            return kRefused;
        }
        return PrintFileInfo(UniqueFiles(line.files)) ? kAllConverted : kSomeFailed;
    }

    const bool toStandardOutput = line.output == "-";
#ifdef _WIN32
    if (toStandardOutput) {
        std::fflush(stdout);
        _setmode(_fileno(stdout), _O_BINARY);
    }
#endif
    // Progress drawn into text that shares the same terminal would garble it.
    const bool showProgress =
        !line.quiet && isatty(fileno(stderr)) && !(toStandardOutput && isatty(fileno(stdout)));
    ConvertFields fields{line.output, line.label, line.format == SourceFormat::C ? 0 : 1};
    const OutputOptions options{line.options, line.nameFromFile};
    const std::vector<std::string> entries = UniqueFiles(line.files);
    WarnAboutLabel(fields, options, line.format, static_cast<int>(entries.size()));
    TerminalHost host(fields, entries, showProgress);
    RunConversion(host, toStandardOutput ? ConvertTarget::StandardOutput : ConvertTarget::Files,
                  options);

    if (host.Refused())
        return kRefused;
    bool failed = host.AnyEntryFailed();
    if (!line.header.empty() && !WriteHeader(line.header, fields, options, entries))
        failed = true;
    return failed ? kSomeFailed : kAllConverted;
}
