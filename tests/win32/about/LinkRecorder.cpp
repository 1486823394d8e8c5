// Stands in for a web browser in the link tests: writes the whole command line
// it was started with into the file named by its first argument.
#include <windows.h>

#include <cstring>
#include <string>

int main() {
    const char* line = ::GetCommandLineA();
    // The first argument: the quoted file name after the quoted program name.
    std::string rest(line);
    size_t open = rest.find('"', rest.find('"', 1) + 1);
    size_t close = open == std::string::npos ? open : rest.find('"', open + 1);
    if (close == std::string::npos)
        return 2;
    std::string file = rest.substr(open + 1, close - open - 1);
    std::string partial = file + ".part";
    HANDLE h = ::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    ::WriteFile(h, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    ::CloseHandle(h);
    // Appears whole or not at all to the test that waits for it.
    return ::MoveFileA(partial.c_str(), file.c_str()) ? 0 : 1;
}
