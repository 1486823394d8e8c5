#include "cli/WideArguments.h"

#include "os/FileSystem.h"

#include <windows.h>

#include <shellapi.h>

namespace tavrik {

bool TakeWideArguments(std::vector<std::string>& arguments, std::string& error) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr)
        return true; // keep what the runtime gave
    std::vector<std::string> exact;
    for (int i = 1; i < argc; ++i) {
        std::string text;
        if (!tavrik::os::NarrowExactly(argv[i], text)) {
            error = "argument " + std::to_string(i) + " holds characters that code page " +
                    std::to_string(::GetACP()) +
                    " cannot represent; rename the file or use Windows 10 version 1903 or later";
            ::LocalFree(argv);
            return false;
        }
        exact.push_back(std::move(text));
    }
    ::LocalFree(argv);
    arguments = std::move(exact);
    return true;
}

} // namespace tavrik
