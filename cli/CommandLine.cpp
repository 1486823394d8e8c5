#include "cli/CommandLine.h"

#include "TavrikVersion.h"

#include <getopt.h>

#include <cstdlib>
#include <cstring>
#include <unordered_set>

namespace tavrik {

const char* const kUsage =
    "usage: tavrik [-f c|asm] [-l LABEL] [-o DIR] [-q] [OPTION...] FILE...\n"
    "       tavrik --info FILE...\n"
    "  -f, --format   c (default) or asm\n"
    "  -l, --label    symbol name (default \"Label\"); with several files LABEL1, LABEL2, ...\n"
    "  -o, --output   destination folder, created when missing (default: the current folder);\n"
    "                 \"-\" writes the text to standard output instead, file after file\n"
    "  -q, --quiet    no progress display\n"
    "  -h, --help     this text\n"
    "  -V, --version  the version, " TAVRIK_VERSION_TEXT "\n"
    "      --info     one line about each file (TIM picture, TMD model or raw data);\n"
    "                 converts nothing\n"
    "Output that links as it is (without these the text is the plain format):\n"
    "  --const           C arrays are const unsigned char\n"
    "  --size            after each array its length as LABEL_size (C: const unsigned int,\n"
    "                    assembler: .word)\n"
    "  --global          assembler blocks declare their label global (.globl)\n"
    "  --align N         align each array to N bytes, a power of two (C: aligned attribute,\n"
    "                    assembler: .balign)\n"
    "  --name-from-file  each file's symbol is its file name made an identifier\n"
    "                    (pic1.tim gives pic1_tim) instead of LABEL or LABEL1, LABEL2, ...\n"
    "  --header FILE.h   also write a C header declaring every array (and size) of the run\n";

const char* const kVersion = "tavrik " TAVRIK_VERSION_TEXT "\n";

namespace {

// Values of the options that have no short form.
enum LongOnly : int {
    kConst = 256,
    kSize,
    kGlobal,
    kAlign,
    kNameFromFile,
    kHeader,
    kInfo,
};

const option kOptions[] = {
    {"format", required_argument, nullptr, 'f'},
    {"label", required_argument, nullptr, 'l'},
    {"output", required_argument, nullptr, 'o'},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"info", no_argument, nullptr, kInfo},
    {"const", no_argument, nullptr, kConst},
    {"size", no_argument, nullptr, kSize},
    {"global", no_argument, nullptr, kGlobal},
    {"align", required_argument, nullptr, kAlign},
    {"name-from-file", no_argument, nullptr, kNameFromFile},
    {"header", required_argument, nullptr, kHeader},
    {nullptr, 0, nullptr, 0},
};

// "-": files are handed over in place, so the order of the arguments is kept
// whatever the environment asks of getopt; ":": errors are ours to word.
const char* const kShortOptions = "-:f:l:o:qhV";

constexpr unsigned long kMaxAlign = 65536;

bool ParseAlign(const char* text, unsigned& align) {
    if (*text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 10);
    if (*end != '\0' || value == 0 || value > kMaxAlign || (value & (value - 1)) != 0)
        return false;
    align = static_cast<unsigned>(value);
    return true;
}

// The failed option as the user wrote it: a long one by its name, a short one by
// its letter (it may sit inside a cluster such as -qx).
std::string FailedOption(const char* element) {
    if (element != nullptr && std::strncmp(element, "--", 2) == 0)
        return std::string(element, std::strcspn(element, "="));
    return std::string("-") + static_cast<char>(optopt);
}

} // namespace

std::string ParseCommandLine(const std::vector<std::string>& arguments, CommandLine& line) {
    std::vector<std::string> storage;
    storage.reserve(arguments.size() + 1);
    storage.push_back("tavrik");
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());

    bool labelGiven = false;
    optind = 0; // starts a fresh scan in glibc and in mingw-w64 alike
    opterr = 0;
    for (;;) {
        const int previous = optind == 0 ? 1 : optind;
        const int c = getopt_long(argc, argv.data(), kShortOptions, kOptions, nullptr);
        if (c == -1)
            break;
        // The element that was being read: long options always move past it.
        const char* element = optind > previous ? argv[optind - 1] : argv[previous];
        switch (c) {
        case 1:
            line.files.push_back(optarg);
            break;
        case 'f':
            if (std::strcmp(optarg, "c") == 0)
                line.format = SourceFormat::C;
            else if (std::strcmp(optarg, "asm") == 0)
                line.format = SourceFormat::Asm;
            else
                return "unknown format \"" + std::string(optarg) + "\" (use c or asm)";
            break;
        case 'l':
            line.label = optarg;
            labelGiven = true;
            break;
        case 'o':
            line.output = optarg;
            break;
        case 'q':
            line.quiet = true;
            break;
        case 'h':
            line.help = true;
            break;
        case 'V':
            line.version = true;
            break;
        case kInfo:
            line.info = true;
            break;
        case kConst:
            line.options.constData = true;
            break;
        case kSize:
            line.options.sizeSymbol = true;
            break;
        case kGlobal:
            line.options.globalLabel = true;
            break;
        case kAlign:
            if (!ParseAlign(optarg, line.options.align))
                return "--align needs a power of two from 1 to 65536, not \"" +
                       std::string(optarg) + "\"";
            break;
        case kNameFromFile:
            line.nameFromFile = true;
            break;
        case kHeader:
            if (*optarg == '\0')
                return "option --header needs a file name";
            line.header = optarg;
            break;
        case ':':
            // Some getopt implementations also answer ':' for "--quiet=yes".
            if (std::strncmp(element, "--", 2) == 0 && std::strchr(element, '=') != nullptr)
                return "option " + FailedOption(element) + " takes no value";
            return "option " + FailedOption(element) + " needs a value";
        default:
            if (std::strncmp(element, "--", 2) == 0 && optopt != 0 &&
                std::strchr(element, '=') != nullptr)
                return "option " + FailedOption(element) + " takes no value";
            if (std::strncmp(element, "--", 2) == 0)
                return "unknown option " + FailedOption(element);
            return "unknown option -" + std::string(1, static_cast<char>(optopt));
        }
    }
    for (int i = optind; i < argc; ++i)
        line.files.push_back(argv[static_cast<std::size_t>(i)]);

    if (line.nameFromFile && labelGiven)
        return "options --label and --name-from-file exclude each other";
    return std::string();
}

std::vector<std::string> UniqueFiles(const std::vector<std::string>& files) {
    std::vector<std::string> unique;
    std::unordered_set<std::string> seen;
    for (const auto& file : files)
        if (seen.insert(file).second)
            unique.push_back(file);
    return unique;
}

} // namespace tavrik
