#pragma once

// Runs the built converter, and other tools, as a shell script would (POSIX only).

#include "tests/support/TestFiles.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testfiles {

struct Outcome {
    int status = -1;
    std::string out, err;
};

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command line in |dir|; its exit status and what it wrote. Standard output
// goes to |stdoutTarget| instead when one is named.
inline Outcome RunIn(const TempDir& dir, const std::string& commandLine,
                     const std::string& stdoutTarget = "") {
    std::string command = "cd " + Quote(dir.path().string()) + " && " + commandLine;
    const fs::path outFile = dir.path().parent_path() / (dir.path().filename().string() + ".out");
    const fs::path errFile = dir.path().parent_path() / (dir.path().filename().string() + ".err");
    command += " >" + Quote(stdoutTarget.empty() ? outFile.string() : stdoutTarget) + " 2>" +
               Quote(errFile.string()) + " </dev/null";
    Outcome outcome;
    int raw = std::system(command.c_str());
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = ReadFile(outFile);
    outcome.err = ReadFile(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return outcome;
}

#ifdef TAVRIK_CLI
inline Outcome RunTavrik(const TempDir& dir, const std::vector<std::string>& args,
                         const std::string& stdoutTarget = "") {
    std::string command = Quote(TAVRIK_CLI);
    for (const auto& a : args)
        command += " " + Quote(a);
    return RunIn(dir, command, stdoutTarget);
}
#endif

// A shell command's exit status, its standard output and error together in output.
inline int Shell(const std::string& command, std::string* output = nullptr) {
    TempDir scratch;
    const std::string file = scratch / "output.txt";
    int raw = std::system((command + " >" + Quote(file) + " 2>&1").c_str());
    if (output != nullptr)
        *output = ReadFile(file);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace testfiles
