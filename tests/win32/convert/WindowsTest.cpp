// What only Windows itself can show: backslash paths, names as stored on disk,
// replacing with MoveFileExA, and files held open by another program.

#include "convert/Emitters.h"
#include "os/FileSystem.h"
#include "convert/OutputNaming.h"
#include "tests/support/TestFiles.h"

#include <windows.h>

using namespace tavrik;
using namespace testfiles;

namespace {

class HeldOpen {
  public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

TEST(WindowsPaths, TitleIsTheNameAsStoredOnDisk) {
    TempDir dir;
    WriteFile(dir / "MixedCase.TIM", "");
    WriteFile(dir / "A Long File Name.tim", "");
    const std::string out = dir.path().string();
    EXPECT_EQ(MakeOutputPath(dir / "mixedcase.tim", out, "c"), out + "\\MixedCase.c");
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA((dir / "A Long File Name.tim").c_str(), shortPath, MAX_PATH);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(shortPath).find("A Long File Name"), std::string::npos) << shortPath;
    EXPECT_EQ(MakeOutputPath(shortPath, out, "asm"), out + "\\A Long File Name.asm") << shortPath;
    EXPECT_EQ(MakeOutputPath(dir / "missing.tim", out, "c"), "");
    EXPECT_EQ(MakeOutputPath(out + "\\", out, "c"), "") << "a path ending in a backslash";
}

TEST(WindowsPaths, DoubledBackslashesStillReachTheFolder) {
    TempDir dir;
    WriteFile(dir / "pic.tim", "P");
    const std::string destination = dir.path().string() + "\\\\";
    const std::string output = MakeOutputPath(dir / "pic.tim", destination, "c");
    EXPECT_EQ(output, dir.path().string() + "\\\\pic.c");
    ASSERT_EQ(ConvertToC(dir / "pic.tim", output, "p"), CONVERT_OK);
    EXPECT_EQ(ReadFile(dir / "pic.c"), ReferenceC("P", "p"));
}

TEST(WindowsFiles, ExistingOutputIsReplacedWithoutLeftovers) {
    TempDir dir;
    WriteFile(dir / "in.bin", RandomBytes(70000, 5));
    WriteFile(dir / "out.c", std::string(1000000, 'o'));
    ASSERT_EQ(ConvertToC(dir / "in.bin", dir / "out.c", "l"), CONVERT_OK);
    EXPECT_EQ(ReadFile(dir / "out.c"), ReferenceC(RandomBytes(70000, 5), "l"));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "out.c"}));
}

TEST(WindowsFiles, LockedOrReadOnlyOutputIsNotTouched) {
    TempDir dir;
    WriteFile(dir / "in.bin", "new");
    WriteFile(dir / "locked.c", "locked before");
    WriteFile(dir / "readonly.c", "read-only before");
    ASSERT_TRUE(SetFileAttributesA((dir / "readonly.c").c_str(), FILE_ATTRIBUTE_READONLY));
    {
        HeldOpen held(dir / "locked.c");
        ASSERT_TRUE(held.ok());
        EXPECT_EQ(ConvertToC(dir / "in.bin", dir / "locked.c", "l"), CONVERT_OUTPUT_FAILED);
        EXPECT_EQ(ConvertToAsm(dir / "in.bin", dir / "locked.c", "l"), CONVERT_OUTPUT_FAILED);
        // A locked input cannot be read either.
        EXPECT_EQ(ConvertToC(dir / "locked.c", dir / "other.c", "l"), CONVERT_INPUT_FAILED);
    }
    EXPECT_EQ(ConvertToC(dir / "in.bin", dir / "readonly.c", "l"), CONVERT_OUTPUT_FAILED);
    EXPECT_EQ(ReadFile(dir / "locked.c"), "locked before");
    EXPECT_EQ(ReadFile(dir / "readonly.c"), "read-only before");
    SetFileAttributesA((dir / "readonly.c").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "locked.c", "readonly.c"}));
    // Once released, the same output is written.
    EXPECT_EQ(ConvertToC(dir / "in.bin", dir / "locked.c", "l"), CONVERT_OK);
    EXPECT_EQ(ReadFile(dir / "locked.c"), ReferenceC("new", "l"));
}

TEST(WindowsFiles, InputUnderAnotherSpellingIsTheSameFile) {
    TempDir dir;
    WriteFile(dir / "x.c", "int x;");
    EXPECT_EQ(ConvertToC(dir / "x.c", dir / "X.C", "x"), CONVERT_SAME_FILE);
    std::string slashed = dir / "x.c";
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_EQ(ConvertToC(dir / "x.c", slashed, "x"), CONVERT_SAME_FILE);
    EXPECT_EQ(ReadFile(dir / "x.c"), "int x;");
}

TEST(WindowsFiles, DevicesByNameAreNeitherInputNorOutput) {
    // aux.tim opens the AUX device, nul.c the null device, in any folder.
    TempDir dir;
    WriteFile(dir / "in.bin", "data");
    for (const char* input : {"aux.tim", "nul.tim", "NUL", "com1.bin"}) {
        EXPECT_EQ(ConvertToC(dir / input, dir / "out.c", "l"), CONVERT_INPUT_FAILED) << input;
        EXPECT_EQ(ConvertToAsm(dir / input, dir / "out.asm", "l"), CONVERT_INPUT_FAILED) << input;
    }
    for (const char* output : {"nul.c", "NUL", "aux.asm", "com1.c"}) {
        EXPECT_EQ(ConvertToC(dir / "in.bin", dir / output, "l"), CONVERT_OUTPUT_FAILED) << output;
        EXPECT_EQ(ConvertToAsm(dir / "in.bin", dir / output, "l"), CONVERT_OUTPUT_FAILED) << output;
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"in.bin"});
}

TEST(WindowsFiles, FolderCreationMakesEveryMissingLevel) {
    TempDir dir;
    const std::string deep = dir.path().string() + "\\a\\b\\\\c\\";
    EXPECT_TRUE(tavrik::os::MakeSureDirectoryPathExists(deep));
    EXPECT_TRUE(fs::is_directory(dir.path() / "a" / "b" / "c"));
    EXPECT_TRUE(tavrik::os::MakeSureDirectoryPathExists(deep)) << "all present already";
    WriteFile(dir / "afile", "");
    EXPECT_FALSE(tavrik::os::MakeSureDirectoryPathExists(dir / "afile\\new\\"));
    EXPECT_TRUE(tavrik::os::MakeSureDirectoryPathExists("C:\\"));
    EXPECT_TRUE(tavrik::os::MakeSureDirectoryPathExists("C:\\windows\\"));
    if (GetDriveTypeA("Q:\\") == DRIVE_NO_ROOT_DIR) {
        EXPECT_FALSE(tavrik::os::MakeSureDirectoryPathExists("Q:\\"));
        EXPECT_FALSE(tavrik::os::MakeSureDirectoryPathExists("Q:\\new\\"));
    }
}

} // namespace

namespace {

// tavrik-cli.exe lies beside this test program.
std::string ConverterPath() {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, n);
    return path.substr(0, path.find_last_of('\\') + 1) + "tavrik-cli.exe";
}

DWORD RunConverter(const std::string& arguments, const std::string& folder,
                   const std::string& stdoutPath) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(stdoutPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(out, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION process{};
    std::string command(1, '"');
    command += ConverterPath();
    command += "\" ";
    command += arguments;
    DWORD code = 255;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << command;
    }
    CloseHandle(out);
    return code;
}

TEST(WindowsConverter, StandardOutputIsBinaryAndFilesGoIntoTheFolder) {
    TempDir dir;
    WriteFile(dir / "pic.tim", Bytes({0x0a, 0x0d, 0x1a, 0xff}));
    const std::string captured =
        dir.path().parent_path().string() + "\\" + dir.path().filename().string() + ".out";
    EXPECT_EQ(RunConverter("-o - -f asm -l p pic.tim", dir.path().string(), captured), 0u);
    EXPECT_EQ(ReadFile(captured), ReferenceAsm(Bytes({0x0a, 0x0d, 0x1a, 0xff}), "p"));

    EXPECT_EQ(
        RunConverter("-q -o \"out\\new\\\\\" pic.tim gone.tim", dir.path().string(), captured), 1u);
    EXPECT_EQ(ReadFile(captured), "Failed to open input file gone.tim!\r\n");
    EXPECT_EQ(ReadFile(dir.path() / "out" / "new" / "pic.c"),
              ReferenceC(Bytes({0x0a, 0x0d, 0x1a, 0xff}), "Label1"));
    DeleteFileA(captured.c_str());
}

TEST(WindowsConverter, OneFileInTwoLetterCasesIsWrittenOnce) {
    TempDir dir;
    WriteFile(dir / "car.tim", "C");
    const std::string captured =
        dir.path().parent_path().string() + "\\" + dir.path().filename().string() + ".out";
    EXPECT_EQ(RunConverter("-q -o out car.tim CAR.TIM", dir.path().string(), captured), 1u);
    EXPECT_EQ(ReadFile(captured), "Output file out\\car.c was already written in this run!\r\n");
    EXPECT_EQ(ReadFile(dir.path() / "out" / "car.c"), ReferenceC("C", "Label1"));
    DeleteFileA(captured.c_str());
}

TEST(WindowsConverter, StandardOutputMayBeADevice) {
    // The converter's own standard output is the one device it writes.
    TempDir dir;
    WriteFile(dir / "pic.tim", "P");
    EXPECT_EQ(RunConverter("-q -o - pic.tim", dir.path().string(), "NUL"), 0u);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"pic.tim"});
}

} // namespace
