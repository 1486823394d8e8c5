// Conversions that must fail cleanly: no success reported for a broken result, no
// earlier output lost, no temporary file left behind.

#include "convert/Emitters.h"
#include "os/FileSystem.h"
#include "tests/support/FaultSeams.h"
#include "tests/support/TestFiles.h"

using namespace tavrik;
using namespace testfiles;

namespace {

TEST(ConvertFaults, FullDiskIsReportedAndOutputKept) {
    TempDir dir;
    WriteFile(dir / "in.bin", RandomBytes(300000, 6));
    WriteFile(dir / "out.c", "earlier output");
    for (long long after : {0LL, 100LL, 262144LL, 1000000LL}) {
        WriteFailure failure(after);
        EXPECT_EQ(ConvertToC(dir / "in.bin", dir / "out.c", "l"), CONVERT_WRITE_FAILED) << after;
        EXPECT_EQ(ConvertToAsm(dir / "in.bin", dir / "new.asm", "l"), CONVERT_WRITE_FAILED)
            << after;
    }
    EXPECT_EQ(ReadFile(dir / "out.c"), "earlier output");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "out.c"}));
}

TEST(ConvertFaults, OutputThatCannotBeCreatedGivesOutputFailed) {
    TempDir dir;
    WriteFile(dir / "in.bin", "data");
    fs::create_directory(dir.path() / "folder");
    const std::string cases[] = {
        "",
        dir / "folder",
        (dir.path() / "missing" / "out.c").string(),
        (dir.path() / "in.bin" / "out.c").string(),
    };
    for (const auto& output : cases) {
        EXPECT_EQ(ConvertToC(dir / "in.bin", output, "l"), CONVERT_OUTPUT_FAILED) << output;
        EXPECT_EQ(ConvertToAsm(dir / "in.bin", output, "l"), CONVERT_OUTPUT_FAILED) << output;
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder", "in.bin"}));
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder"));
}

TEST(ConvertFaults, OutputNamingItsOwnInputIsRefused) {
    TempDir dir;
    WriteFile(dir / "x.c", "int x;");
    EXPECT_EQ(ConvertToC(dir / "x.c", dir / "x.c", "x"), CONVERT_SAME_FILE);
    // The same file under another spelling of its path.
    const std::string dotted = (dir.path() / "." / "x.c").string();
    EXPECT_EQ(ConvertToAsm(dir / "x.c", dotted, "x"), CONVERT_SAME_FILE);
    EXPECT_EQ(ReadFile(dir / "x.c"), "int x;");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"x.c"});
}

TEST(ConvertFaults, ReadErrorInTheMiddleIsReportedAndOutputKept) {
    TempDir dir;
    WriteFile(dir / "in.bin", RandomBytes(200000, 1));
    WriteFile(dir / "out.c", "earlier output");
    for (long long after : {0LL, 65536LL, 131072LL}) {
        ReadFailure failure(after);
        EXPECT_EQ(ConvertToC(dir / "in.bin", dir / "out.c", "l"), CONVERT_READ_FAILED) << after;
        EXPECT_EQ(ConvertToAsm(dir / "in.bin", dir / "new.asm", "l"), CONVERT_READ_FAILED) << after;
    }
    EXPECT_EQ(ReadFile(dir / "out.c"), "earlier output");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"in.bin", "out.c"}));
    // The seam is off again: the same conversion now succeeds.
    EXPECT_EQ(ConvertToC(dir / "in.bin", dir / "out.c", "l"), CONVERT_OK);
    EXPECT_EQ(ReadFile(dir / "out.c"), ReferenceC(RandomBytes(200000, 1), "l"));
}

TEST(ConvertFaults, InputGrowingWhileReadIsTakenAtItsOpeningSize) {
    // Text appended to the input while it is read (as when the output is the input's
    // own end) must not be chased.
    TempDir dir;
    const std::string data = RandomBytes(3 * 65536 + 5, 7);
    WriteFile(dir / "in.bin", data);
    int calls = 0;
    ASSERT_EQ(ConvertFile(SourceFormat::Asm, dir / "in.bin", dir / "out.asm", "l",
                          [&](std::uint64_t, std::uint64_t) {
                              std::ofstream grow(dir / "in.bin", std::ios::binary | std::ios::app);
                              grow << std::string(100000, 'x');
                              ++calls;
                          }),
              CONVERT_OK);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(ReadFile(dir / "out.asm"), ReferenceAsm(data, "l"));
}

TEST(ConvertFaults, ProgressReportsEveryChunkUpToTheSize) {
    TempDir dir;
    const std::size_t size = 3 * 65536 + 10;
    WriteFile(dir / "in.bin", RandomBytes(size, 2));
    std::vector<std::uint64_t> seen;
    ASSERT_EQ(ConvertFile(SourceFormat::C, dir / "in.bin", dir / "out.c", "l",
                          [&](std::uint64_t done, std::uint64_t total) {
                              EXPECT_EQ(total, size);
                              seen.push_back(done);
                          }),
              CONVERT_OK);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), size);
}

} // namespace
