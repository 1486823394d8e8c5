// The command-line converter must convert the file a name means or refuse it, never
// a look-alike that the ANSI code page's best-fit mapping makes of the name.
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kGreek[] = L"\x03B1\x03B2"; // alpha beta
const wchar_t kLookAlike[] = L"a\x00DF";  // a sharp s: what 1252's best fit makes of it
const wchar_t kLookAlikePlain[] = L"ab";

std::wstring Beside(const wchar_t* program) {
    wchar_t self[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + program;
}

// The test's folder, addressed with wide names.
class Folder {
  public:
    std::wstring operator/(const std::wstring& name) const {
        return (m_dir.path() / name).wstring();
    }
    std::wstring Path() const { return m_dir.path().wstring(); }
    void Write(const std::wstring& name, const std::string& bytes) const {
        HANDLE h = ::CreateFileW((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 0, nullptr);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(h);
    }
    std::string Read(const std::wstring& name) const {
        HANDLE h = ::CreateFileW((*this / name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string text(1 << 16, '\0');
        DWORD got = 0;
        ::ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
        ::CloseHandle(h);
        text.resize(got);
        return text;
    }
    bool Has(const std::wstring& name) const {
        return ::GetFileAttributesW((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

  private:
    testfiles::TempDir m_dir;
};

// Runs a converter in |folder| with a wide command line; its exit status.
DWORD RunConverter(const std::wstring& program, const std::wstring& arguments,
                   const Folder& folder) {
    std::wstring command = L"\"" + Beside(program.c_str()) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 255;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.Path().c_str(), &startup, &process)) {
        ADD_FAILURE() << "cannot start the converter";
        return code;
    }
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

// A folder holding the Greek-named file beside its look-alikes, each with content of its own.
void Populate(const Folder& folder) {
    folder.Write(std::wstring(kGreek) + L".tim", std::string(1, '\x11'));
    folder.Write(std::wstring(kLookAlike) + L".tim", std::string(1, '\x22'));
    folder.Write(std::wstring(kLookAlikePlain) + L".tim", std::string(1, '\x33'));
}

void ExpectNoLookAlikeConverted(const Folder& folder) {
    EXPECT_FALSE(folder.Has(std::wstring(kLookAlike) + L".c"));
    EXPECT_FALSE(folder.Has(std::wstring(kLookAlikePlain) + L".c"));
}

TEST(ConverterNames, GreekNameIsConvertedItselfUnderTheManifest) {
    Folder folder;
    Populate(folder);
    EXPECT_EQ(RunConverter(L"tavrik-cli.exe", L"-q -l g " + std::wstring(kGreek) + L".tim", folder),
              0u);
    const std::string text = folder.Read(std::wstring(kGreek) + L".c");
    EXPECT_NE(text.find("0x11"), std::string::npos) << text;
    EXPECT_EQ(text.find("0x22"), std::string::npos);
    ExpectNoLookAlikeConverted(folder);
}

// Without the manifest the ANSI code page of the system is in force: either it can
// spell the name (then that file is converted) or the run is refused.
TEST(ConverterNames, WithoutTheManifestTheNameIsConvertedExactlyOrRefused) {
    Folder folder;
    Populate(folder);
    const DWORD code =
        RunConverter(L"tavrik_cli_nomanifest.exe", L"-q " + std::wstring(kGreek) + L".tim", folder);
    if (code == 0) {
        EXPECT_NE(folder.Read(std::wstring(kGreek) + L".c").find("0x11"), std::string::npos);
    } else {
        EXPECT_EQ(code, 2u);
        EXPECT_FALSE(folder.Has(std::wstring(kGreek) + L".c"));
    }
    ExpectNoLookAlikeConverted(folder);

    // A name that every code page can spell is converted as before.
    folder.Write(L"plain.tim", "p");
    EXPECT_EQ(RunConverter(L"tavrik_cli_nomanifest.exe", L"-q plain.tim", folder), 0u);
    EXPECT_TRUE(folder.Has(L"plain.c"));
}

} // namespace
