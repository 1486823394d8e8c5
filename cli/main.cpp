#include "CommandLine.h"
#include "FileSystem.h"
#include "TerminalHost.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kRefused = 2;

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

    const bool toStandardOutput = line.output == "-";
#ifdef _WIN32
    if (toStandardOutput) {
        std::fflush(stdout);
        _setmode(_fileno(stdout), _O_BINARY);
    }
#endif
    // Progress drawn into text that shares the same terminal would garble it.
    const bool showProgress = !line.quiet && isatty(fileno(stderr)) &&
                              !(toStandardOutput && isatty(fileno(stdout)));
    ConvertFields fields{line.output, line.label, line.format == SourceFormat::C ? 0 : 1};
    TerminalHost host(fields, UniqueFiles(line.files), showProgress);
    RunConversion(host, toStandardOutput ? ConvertTarget::StandardOutput : ConvertTarget::Files);

    if (host.Refused())
        return kRefused;
    return host.AnyEntryFailed() ? kSomeFailed : kAllConverted;
}
