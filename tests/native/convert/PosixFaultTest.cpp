// Failures that only a POSIX system lets a test reach for real.

#include "Emitters.h"
#include "TestFiles.h"

#include <sys/stat.h>
#include <unistd.h>

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
