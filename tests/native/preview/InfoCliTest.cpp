// tavrik --info, run as a shell user would: one line a file, nothing converted.

#include "tests/support/RunProgram.h"
#include "tests/support/TimFixtures.h"

using namespace testfiles;

namespace {

Outcome RunInfo(const TempDir& dir, const std::string& arguments) {
    return RunIn(dir, Quote(TAVRIK_CLI) + " " + arguments);
}

TEST(InfoCommand, OneLineAFileAndNothingConverted) {
    TempDir dir;
    WriteFile(dir / "pic1.tim", timfixtures::Picture{1, 6, 3, 4}.Bytes());
    WriteFile(dir / "car.tmd", timfixtures::Tmd(12));
    WriteFile(dir / "sound.vag", RandomBytes(31264, 2));
    WriteFile(dir / "bad.tim", timfixtures::Picture{3, 5, 3, 0}.Bytes().substr(0, 40));
    const std::vector<std::string> before = dir.Names();

    Outcome r = RunInfo(dir, "--info pic1.tim car.tmd sound.vag bad.tim -o out -f asm");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "pic1.tim: TIM, 8-bit, 6x3, palette 1 of 4\n"
                     "car.tmd: TMD model, 12 objects\n"
                     "sound.vag: raw data, 31,264 bytes\n"
                     "bad.tim: damaged TIM: picture block runs past the end of the file\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(dir.Names(), before) << "no output written";

    // A file that cannot be read is named, the others still described.
    fs::create_directory(dir.path() / "folder.tim");
    r = RunInfo(dir, "gone.tim --info car.tmd folder.tim");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "car.tmd: TMD model, 12 objects\n");
    EXPECT_EQ(r.err, "gone.tim: cannot be read\nfolder.tim: cannot be read\n");

    r = RunInfo(dir, "--info");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: tavrik"), std::string::npos);
    r = RunInfo(dir, "--info=yes car.tmd");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
}

} // namespace
