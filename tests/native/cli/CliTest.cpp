// Runs the built converter as a build script would, and checks what it leaves
// behind: files, standard output, standard error and the exit status.

#include "cli/CommandLine.h"
#include "tests/support/RunProgram.h"
#include "cli/TerminalHost.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace tavrik;
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
    WriteFile(dir / "p.tim", "p");
    WriteFile(dir / "p.c", "int p;");
    WriteFile(dir / "car.TIM", "car");
    WriteFile(dir / "car.TMD", "model");
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
        {{"-o", ".", "p.tim", "p.c"},
         1,
         "Output file ./p.c would overwrite input file p.c of this run!\n"
         "Output file ./p.c would overwrite its input file!\n"},
        {{"-l", "car", "car.TIM", "car.TMD"},
         1,
         "Output file ./car.c was already written in this run!\n"},
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
    EXPECT_EQ(ReadFile(dir / "p.c"), "int p;");
    EXPECT_EQ(ReadFile(dir / "car.c"), ReferenceC("car", "car1"));
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

TEST(Cli, InterruptRemovesTheTemporaryFile) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        // A pipe as input holds the conversion in the middle for as long as needed.
        ASSERT_EQ(mkfifo((dir / "pipe.tim").c_str(), 0600), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int s : {SIGINT, SIGTERM, SIGHUP})
                std::signal(s, SIG_DFL);
            if (chdir(dir.path().c_str()) != 0)
                _exit(100);
            execl(TAVRIK_CLI, "tavrik", "-q", "pipe.tim", static_cast<char*>(nullptr));
            _exit(101);
        }
        int pipe = open((dir / "pipe.tim").c_str(), O_WRONLY);
        ASSERT_GE(pipe, 0);
        const std::string data(1000, 'p');
        ASSERT_EQ(write(pipe, data.data(), data.size()), static_cast<ssize_t>(data.size()));
        bool temporarySeen = false;
        for (int wait = 0; wait < 6000 && !temporarySeen; ++wait) {
            for (const auto& name : dir.Names())
                temporarySeen = temporarySeen || name.rfind(".tvk", 0) == 0;
            if (!temporarySeen)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(temporarySeen);
        kill(child, signal);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(pipe);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"pipe.tim"});
    }
}

// What replacing an existing output may change when the converter is not root: the
// text only. Where a rename would change more, or cannot be done, the file is
// written where it is.
TEST(Cli, ReplacedOutputKeepsOwnerLinksAndPlace) {
    if (std::system("command -v setpriv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "setpriv(1) is needed to run the converter as another user";
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give the files to two different users";
    constexpr uid_t kNobody = 65534;
    struct Case {
        const char* what;
        mode_t folderMode;
        uid_t outputOwner; // kNobody, or root
        mode_t outputMode;
        bool secondLink;
        bool missingOutput;
        int status;
        bool inPlace;
    } cases[] = {
        {"own output, by rename", 0777, kNobody, 0640, false, false, 0, false},
        {"output of another user", 0777, 0, 0666, false, false, 0, true},
        {"output with a second link", 0777, kNobody, 0644, true, false, 0, true},
        {"folder that takes no new file", 0755, kNobody, 0644, false, false, 0, true},
        {"new output in such a folder", 0755, 0, 0666, false, true, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path out = dir.path() / "work";
        fs::create_directory(out);
        WriteFile(out / "in.bin", "new");
        ASSERT_EQ(chmod((out / "in.bin").c_str(), 0644), 0);
        struct stat before {};
        if (!c.missingOutput) {
            WriteFile(out / "in.c", "old text");
            ASSERT_EQ(chown((out / "in.c").c_str(), c.outputOwner, c.outputOwner), 0);
            ASSERT_EQ(chmod((out / "in.c").c_str(), c.outputMode), 0);
            if (c.secondLink)
                fs::create_hard_link(out / "in.c", dir.path() / "link.c");
            ASSERT_EQ(stat((out / "in.c").c_str(), &before), 0);
        }
        ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
        ASSERT_EQ(chmod(out.c_str(), c.folderMode), 0);

        const std::string command = "cd " + Quote(out.string()) +
                                    " && setpriv --reuid=65534 --regid=65534 --clear-groups " +
                                    Quote(TAVRIK_CLI) + " -q -l t in.bin 2>" +
                                    Quote((dir.path() / "err.txt").string());
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << ReadFile(dir.path() / "err.txt");
        if (c.missingOutput) {
            EXPECT_EQ(ReadFile(dir.path() / "err.txt"), "Failed to open output file ./in.c!\n");
            EXPECT_FALSE(fs::exists(out / "in.c"));
            continue;
        }
        EXPECT_EQ(ReadFile(out / "in.c"), ReferenceC("new", "t"));
        struct stat after {};
        ASSERT_EQ(stat((out / "in.c").c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, c.outputOwner);
        EXPECT_EQ(after.st_gid, c.outputOwner);
        EXPECT_EQ(after.st_mode & 07777, c.outputMode);
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace);
        if (c.secondLink) {
            EXPECT_EQ(ReadFile(dir.path() / "link.c"), ReferenceC("new", "t"));
        }
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(out))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"in.bin", "in.c"})) << "nothing left behind";
    }
}

TEST(Cli, ControlCharactersInNamesAreShownEscaped) {
    struct Case {
        std::string name, shown;
    } cases[] = {
        {"line\nfeed", "line\\nfeed"},
        {"\x1b[2Jclear", "\\033[2Jclear"},
        {"tab\tand\rreturn\b", "tab\\tand\\rreturn\\b"},
        {"del\x7f and \x01", "del\\177 and \\001"},
        {"c1 \xc2\x9b and \xc3\xa9", "c1 \\302\\233 and \xc3\xa9"},
        {"plain name.tim", "plain name.tim"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeControlCharacters(c.name), c.shown) << c.shown;

    TempDir dir;
    WriteFile(dir / "ok\x1b[31m.tim", "x");
    Outcome r = RunTavrik(dir, {"-q", "gone\n\x1b[2J.tim", "ok\x1b[31m.tim"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Failed to open input file gone\\n\\033[2J.tim!\n");
    EXPECT_EQ(ReadFile(dir / "ok\x1b[31m.c"), ReferenceC("x", "Label2"));

    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "script(1) is needed to give the converter a terminal";
    const std::string command = "cd " + Quote(dir.path().string()) + " && script -qec " +
                                Quote(Quote(TAVRIK_CLI) + " " + Quote("ok\x1b[31m.tim")) +
                                " /dev/null >terminal.txt 2>&1";
    int raw = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    const std::string seen = ReadFile(dir / "terminal.txt");
    EXPECT_NE(seen.find("1/1 ok\\033[31m.tim"), std::string::npos) << seen;
    EXPECT_EQ(seen.find('\x1b'), std::string::npos) << seen;
}

TEST(Cli, ClosedOrFullStandardStreams) {
    TempDir dir;
    WriteFile(dir / "a.tim", "A");
    struct Case {
        const char* what;
        std::string arguments, redirections;
        int status;
        std::string err;
    } cases[] = {
        {"text to a closed output", "-o - a.tim", ">&-", 1,
         "Failed to write output file (standard output)!\n"},
        {"usage to a closed output", "-h", ">&-", 2, "tavrik: cannot write to standard output\n"},
        {"usage to a full output", "--help", ">/dev/full", 2,
         "tavrik: cannot write to standard output\n"},
        {"version to a full output", "-V", ">/dev/full", 2,
         "tavrik: cannot write to standard output\n"},
        {"files with closed input and output", "-l x a.tim", "<&- >&-", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(dir.path() / "a.c");
        const std::string command = "cd " + Quote(dir.path().string()) + " && " +
                                    Quote(TAVRIK_CLI) + " " + c.arguments + " " + c.redirections +
                                    " 2>err.txt";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), c.status);
        EXPECT_EQ(ReadFile(dir / "err.txt"), c.err);
    }
    EXPECT_EQ(ReadFile(dir / "a.c"), ReferenceC("A", "x"));
    EXPECT_EQ(ReadFile(dir / "a.tim"), "A");
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
