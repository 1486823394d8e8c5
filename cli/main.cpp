#include "CommandLine.h"
#include "TerminalHost.h"

#include <cstdio>

#ifdef _WIN32
#include "WideArguments.h"

#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kRefused = 2;

} // namespace

int main(int argc, char** argv) {
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
    if (line.help) {
        std::fputs(kUsage, stdout);
        return kAllConverted;
    }
    if (line.version) {
        std::fputs(kVersion, stdout);
        return kAllConverted;
    }

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
