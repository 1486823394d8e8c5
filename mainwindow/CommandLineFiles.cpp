#include "mainwindow/CommandLineFiles.h"

#include "os/FileSystem.h"

#include <windows.h>

#include <shellapi.h>

std::vector<std::string> CommandLineFiles(const wchar_t* commandLine, int& unusable) {
    unusable = 0;
    std::vector<std::string> files;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(commandLine, &argc);
    if (argv == nullptr)
        return files;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == L'\0')
            continue;
        // The list holds full paths, and the current folder is no part of an entry.
        std::wstring full(::GetFullPathNameW(argv[i], 0, nullptr, nullptr), L'\0');
        DWORD length = full.empty() ? 0
                                    : ::GetFullPathNameW(argv[i], static_cast<DWORD>(full.size()),
                                                         full.data(), nullptr);
        full.resize(length > 0 && length < full.size() ? length : 0);
        if (full.empty())
            full = argv[i];
        std::string path;
        if (tavrik::os::NarrowExactly(full, path))
            files.push_back(path);
        else
            ++unusable;
    }
    ::LocalFree(argv);
    return files;
}
