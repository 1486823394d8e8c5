#include "CommandLine.h"

#include <unordered_set>

const char* const kUsage =
    "usage: tavrik [-f c|asm] [-l LABEL] [-o DIR] [-q] FILE...\n"
    "       tavrik --info FILE...\n"
    "  -f, --format   c (default) or asm\n"
    "  -l, --label    symbol name (default \"Label\"); with several files LABEL1, LABEL2, ...\n"
    "  -o, --output   destination folder, created when missing (default: the current folder);\n"
    "                 \"-\" writes the text to standard output instead, file after file\n"
    "  -q, --quiet    no progress display\n"
    "      --info     one line about each file (TIM picture, TMD model or raw data);\n"
    "                 converts nothing\n"
    "  -h, --help     usage;  -V, --version  the version, 2.0\n";

const char* const kVersion = "tavrik 2.0\n";

namespace {

bool TakesValue(const std::string& option) {
    return option == "-f" || option == "--format" || option == "-l" || option == "--label" ||
           option == "-o" || option == "--output";
}

} // namespace

std::string ParseCommandLine(const std::vector<std::string>& arguments, CommandLine& line) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            line.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (argument.rfind("--", 0) == 0) {
            std::size_t equals = argument.find('=');
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
                argument = argument.substr(0, equals);
                hasValue = true;
                if (!TakesValue(argument))
                    return "option " + argument + " takes no value";
            }
        } else if (argument.size() > 2) {
            // "-fasm", "-lname", "-oDIR"
            value = argument.substr(2);
            argument = argument.substr(0, 2);
            hasValue = true;
            if (!TakesValue(argument))
                return "unknown option " + arguments[i];
        }
        if (TakesValue(argument) && !hasValue) {
            if (i + 1 >= arguments.size())
                return "option " + argument + " needs a value";
            value = arguments[++i];
        }

        if (argument == "-f" || argument == "--format") {
            if (value == "c")
                line.format = SourceFormat::C;
            else if (value == "asm")
                line.format = SourceFormat::Asm;
            else
                return "unknown format \"" + value + "\" (use c or asm)";
        } else if (argument == "-l" || argument == "--label") {
            line.label = value;
        } else if (argument == "-o" || argument == "--output") {
            line.output = value;
        } else if (argument == "-q" || argument == "--quiet") {
            line.quiet = true;
        } else if (argument == "-h" || argument == "--help") {
            line.help = true;
        } else if (argument == "-V" || argument == "--version") {
            line.version = true;
        } else if (argument == "--info") {
            line.info = true;
        } else {
            return "unknown option " + argument;
        }
    }
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
