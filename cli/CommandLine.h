#pragma once

#include "convert/Emitters.h"

#include <string>
#include <vector>

namespace tavrik {

struct CommandLine {
    SourceFormat format = SourceFormat::C;
    std::string label = "Label";
    std::string output = ".";
    bool quiet = false;
    bool help = false;
    bool version = false;
    bool info = false; // describe the files instead of converting them
    EmitOptions options;
    bool nameFromFile = false;
    std::string header;
    std::vector<std::string> files;
};

// Empty on success, else what was wrong with the arguments.
std::string ParseCommandLine(const std::vector<std::string>& arguments, CommandLine& line);

// The files in argument order, each exact path once.
std::vector<std::string> UniqueFiles(const std::vector<std::string>& files);

extern const char* const kUsage;
extern const char* const kVersion;

} // namespace tavrik
