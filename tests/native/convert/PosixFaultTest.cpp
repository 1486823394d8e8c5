// Failures that only a POSIX system lets a test reach for real.

#include "convert/Emitters.h"
#include "tests/support/TestFiles.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavrik;
using namespace testfiles;

namespace {

TEST(PosixFaults, FullDeviceIsAWriteFailure) {
    TempDir dir;
    WriteFile(dir / "in.bin", RandomBytes(1000, 3));
    WriteFile(dir / "empty.bin", "");
    EXPECT_EQ(ConvertToC(dir / "in.bin", "/dev/full", "l"), CONVERT_WRITE_FAILED);
    EXPECT_EQ(ConvertToAsm(dir / "in.bin", "/dev/full", "l"), CONVERT_WRITE_FAILED);
    EXPECT_EQ(ConvertToC(dir / "empty.bin", "/dev/full", "l"), CONVERT_WRITE_FAILED);
    struct stat info;
    ASSERT_EQ(stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "a device is written in place, never replaced";
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"empty.bin", "in.bin"}));
}

TEST(PosixFaults, DevicesAreWrittenInPlace) {
    TempDir dir;
    WriteFile(dir / "in.bin", "abc");
    EXPECT_EQ(ConvertToC(dir / "in.bin", "/dev/null", "l"), CONVERT_OK);
    struct stat info;
    ASSERT_EQ(stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(PosixFaults, ReplacedOutputKeepsItsPermissionsAndLinks) {
    TempDir dir;
    WriteFile(dir / "in.bin", "abc");
    WriteFile(dir / "real.c", "old");
    ASSERT_EQ(chmod((dir / "real.c").c_str(), 0640), 0);
    fs::create_symlink(dir.path() / "real.c", dir.path() / "link.c");
    ASSERT_EQ(ConvertToC(dir / "in.bin", dir / "link.c", "l"), CONVERT_OK);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.c"));
    EXPECT_EQ(ReadFile(dir / "real.c"), ReferenceC("abc", "l"));
    struct stat info;
    ASSERT_EQ(stat((dir / "real.c").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "link.c", "real.c"}));
}

TEST(PosixFaults, TemporaryFileIsPrivateAndGetsTheFinalModeBeforeTheRename) {
    struct Case {
        const char* what;
        int existingMode; // -1: no output yet
        mode_t umask;
        unsigned finalMode;
    } cases[] = {
        {"private output", 0600, 022, 0600},
        {"shared output", 0664, 077, 0664},
        {"new output", -1, 022, 0644},
        {"new output, strict mask", -1, 027, 0640},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The mask belongs to the whole process, so each case sets it in a child of its own.
        TempDir dir;
        WriteFile(dir / "in.bin", RandomBytes(200000, 8));
        if (c.existingMode >= 0) {
            WriteFile(dir / "out.c", "secret");
            ASSERT_EQ(chmod((dir / "out.c").c_str(), static_cast<mode_t>(c.existingMode)), 0);
        }
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            umask(c.umask);
            unsigned seen = 0;
            int calls = 0;
            ConvertResult result =
                ConvertFile(SourceFormat::C, dir / "in.bin", dir / "out.c", "l",
                            [&](std::uint64_t, std::uint64_t) {
                                ++calls;
                                for (const auto& entry : fs::directory_iterator(dir.path())) {
                                    struct stat info;
                                    if (entry.path().filename().string().rfind(".tvk", 0) == 0 &&
                                        stat(entry.path().c_str(), &info) == 0)
                                        seen |= info.st_mode & 077;
                                }
                            });
            // Exit codes: the result, or 10 for a temporary file readable by others,
            // or 11 for no progress seen at all.
            _exit(result != CONVERT_OK ? 1 : seen != 0 ? 10 : calls == 0 ? 11 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        struct stat info;
        ASSERT_EQ(stat((dir / "out.c").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.finalMode);
        EXPECT_EQ(ReadFile(dir / "out.c"), ReferenceC(RandomBytes(200000, 8), "l"));
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "out.c"}));
    }
}

TEST(PosixFaults, LinksToTheInputAreTheInput) {
    TempDir dir;
    WriteFile(dir / "x.c", "int x;");
    fs::create_hard_link(dir.path() / "x.c", dir.path() / "hard.c");
    fs::create_symlink(dir.path() / "x.c", dir.path() / "soft.c");
    EXPECT_EQ(ConvertToC(dir / "x.c", dir / "hard.c", "x"), CONVERT_SAME_FILE);
    EXPECT_EQ(ConvertToC(dir / "soft.c", dir / "x.c", "x"), CONVERT_SAME_FILE);
    EXPECT_EQ(ReadFile(dir / "x.c"), "int x;");
}

} // namespace
