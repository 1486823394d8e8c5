// Runs the built converter as a build script would, and checks what it leaves
// behind: files, standard output, standard error and the exit status.

#include "CommandLine.h"
#include "CliRun.h"

using namespace testfiles;

namespace {

TEST(Cli, ConvertsInArgumentOrderWithNumberedLabels) {
    TempDir dir;
    WriteFile(dir / "b.tim", "B");
    WriteFile(dir / "a.tim", "A");
    Outcome r = RunTavrik(dir, {"-q", "-l", "tex", "-o", "out/sub", "b.tim", "a.tim", "b.tim"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadFile(dir.path() / "out/sub/b.c"), ReferenceC("B", "tex1"));
    EXPECT_EQ(ReadFile(dir.path() / "out/sub/a.c"), ReferenceC("A", "tex2"));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(dir.path() / "out/sub"), fs::directory_iterator()), 2);

    r = RunTavrik(dir, {"--format=asm", "a.tim"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(ReadFile(dir / "a.asm"), ReferenceAsm("A", "Label"));
}

TEST(Cli, StandardOutputGetsTheTextFileAfterFile) {
    TempDir dir;
    WriteFile(dir / "one.bin", Bytes({1}));
    WriteFile(dir / "two.bin", Bytes({0x0d, 0x0a}));
    Outcome r = RunTavrik(dir, {"-o", "-", "-f", "asm", "-l", "s", "one.bin", "two.bin"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, ReferenceAsm(Bytes({1}), "s1") + ReferenceAsm(Bytes({0x0d, 0x0a}), "s2"));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"one.bin", "two.bin"}));
}

TEST(Cli, ExitStatusAndMessages) {
    TempDir dir;
    WriteFile(dir / "ok.tim", "x");
    WriteFile(dir / "afile", "");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{}, 2, "You have to select at least one source file!\n"},
        {{"-l", "", "ok.tim"}, 2, "You have to specify a label for the output file(s)!\n"},
        {{"-o", "", "ok.tim"},
         2,
         "You have to choose a destination folder for the output file(s)!\n"},
        {{"-o", "afile/new", "ok.tim"},
         2,
         "Failed to create destination folder!\nOperation cancelled!\n"},
        {{"gone.tim", "ok.tim"}, 1, "Failed to open input file gone.tim!\n"},
        {{"-o", ".", "afile", "ok.tim"},
         1,
         "Output file ./afile.c would overwrite its input file!\n"},
    };
    WriteFile(dir / "afile.c", "");
    fs::remove(dir.path() / "afile.c");
    fs::create_symlink("afile", dir.path() / "afile.c");
    for (const auto& c : cases) {
        Outcome r = RunTavrik(dir, c.args);
        EXPECT_EQ(r.status, c.status) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.err, c.err) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(ReadFile(dir / "ok.c"), ReferenceC("x", "Label2"));
    EXPECT_EQ(ReadFile(dir / "afile"), "");
}

TEST(Cli, UsageErrorsAndInformation) {
    TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-x"}, {"-f", "pascal", "a"}, {"-l"}, {"--quiet=yes", "a"}}) {
        Outcome r = RunTavrik(dir, args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_NE(r.err.find("usage: tavrik"), std::string::npos) << args[0];
    }
    Outcome help = RunTavrik(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, kUsage);
    Outcome version = RunTavrik(dir, {"-V"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tavrik 2.0\n");
    EXPECT_TRUE(dir.Names().empty());
}

TEST(Cli, WriteFailureOnStandardOutputIsReported) {
    TempDir dir;
    WriteFile(dir / "in.bin", RandomBytes(100, 4));
    Outcome r = RunTavrik(dir, {"-o", "-", "in.bin"}, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Failed to write output file (standard output)!\n");
}

TEST(Cli, AppendingAFileToItselfIsRefused) {
    TempDir dir;
    WriteFile(dir / "in.bin", "abc");
    std::string command = "cd " + Quote(dir.path().string()) + " && " + Quote(TAVRIK_CLI) +
                          " -o - in.bin >>in.bin 2>err.txt";
    int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_EQ(ReadFile(dir / "err.txt"),
              "Output file (standard output) would overwrite its input file!\n");
    EXPECT_EQ(ReadFile(dir / "in.bin"), "abc");
}

TEST(Cli, ProgressIsDrawnOnlyOnATerminal) {
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "script(1) is needed to give the converter a terminal";
    TempDir dir;
    WriteFile(dir / "a.tim", "A");
    WriteFile(dir / "b.tim", "B");
    const std::string inner = Quote(TAVRIK_CLI) + " a.tim gone.tim b.tim";
    const std::string command = "cd " + Quote(dir.path().string()) + " && script -qec " +
                                Quote(inner) + " /dev/null >terminal.txt 2>&1";
    int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    const std::string seen = ReadFile(dir / "terminal.txt");
    EXPECT_NE(seen.find("1/3 a.tim"), std::string::npos) << seen;
    EXPECT_NE(seen.find("3/3 b.tim"), std::string::npos) << seen;
    // The message starts on a cleared line, and the bar is wiped at the end.
    EXPECT_NE(seen.find("\rFailed to open input file gone.tim!"), std::string::npos) << seen;
    EXPECT_EQ(seen.substr(seen.size() - 1), "\r") << seen;

    const std::string quiet = "cd " + Quote(dir.path().string()) + " && script -qec " +
                              Quote(Quote(TAVRIK_CLI) + " -q a.tim b.tim") +
                              " /dev/null >terminal.txt 2>&1";
    raw = std::system(quiet.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    EXPECT_EQ(ReadFile(dir / "terminal.txt"), "");
}

TEST(Cli, InvalidLabelIsWarnedAboutAndConverted) {
    TempDir dir;
    WriteFile(dir / "a.tim", "A");
    WriteFile(dir / "b.tim", "B");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"-l", "3d model", "a.tim"},
         "tavrik: warning: label \"3d model\" is not a valid C symbol\n"},
        {{"-f", "asm", "-l", "3d", "a.tim", "b.tim"},
         "tavrik: warning: label \"3d\" is not a valid assembler symbol\n"},
        {{"-l", "int", "a.tim"}, "tavrik: warning: label \"int\" is not a valid C symbol\n"},
        // Numbered, the keyword becomes a name; the assembler takes dots.
        {{"-l", "int", "a.tim", "b.tim"}, ""},
        {{"-f", "asm", "-l", "tex.data", "a.tim"}, ""},
    };
    for (const auto& c : cases) {
        Outcome r = RunTavrik(dir, c.args);
        EXPECT_EQ(r.status, 0) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.err, c.err) << ::testing::PrintToString(c.args);
    }
    EXPECT_EQ(ReadFile(dir / "a.asm"), ReferenceAsm("A", "tex.data"));
}

TEST(Cli, NamesFromFilesAndHeader) {
    TempDir dir;
    fs::create_directories(dir.path() / "art");
    WriteFile(dir / "art/sky-1.tim", "S");
    WriteFile(dir / "2.bin", "T");
    Outcome r = RunTavrik(
        dir, {"--name-from-file", "--header", "inc/all.h", "-o", "out", "art/sky-1.tim", "2.bin"});
    // The header's folder is not created: a build script names one that exists.
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Failed to write header file inc/all.h!\n");
    EXPECT_EQ(ReadFile(dir.path() / "out/sky-1.c"), ReferenceC("S", "sky_1_tim"));
    EXPECT_EQ(ReadFile(dir.path() / "out/2.c"), ReferenceC("T", "_2_bin"));

    fs::create_directories(dir.path() / "inc");
    r = RunTavrik(dir, {"--name-from-file", "--header", "inc/all.h", "-o", "-", "-f", "asm",
                        "art/sky-1.tim"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, ReferenceAsm("S", "sky_1_tim"));
    const std::string header = ReadFile(dir.path() / "inc/all.h");
    EXPECT_NE(header.find("extern unsigned char sky_1_tim[];\r\n"), std::string::npos) << header;
    EXPECT_EQ(header.find("_2_bin"), std::string::npos) << header;
}

} // namespace
