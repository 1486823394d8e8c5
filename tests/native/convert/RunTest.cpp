#include "convert/ConversionRun.h"
#include "convert/Emitters.h"
#include "os/FileSystem.h"
#include "convert/OutputNaming.h"
#include "tests/support/TestFiles.h"

using namespace tavrik;
using namespace testfiles;

namespace {

using Log = std::vector<std::string>;

class FakeHost : public ConvertHost {
  public:
    ConvertFields fields;
    std::vector<std::string> entries;
    bool folderCreation = true;
    bool realFolders = false;
    Log log;

    ConvertFields ReadFields() override {
        log.push_back("ReadFields");
        return fields;
    }
    int GetEntryCount() override {
        log.push_back("GetEntryCount");
        return static_cast<int>(entries.size());
    }
    std::string GetEntryText(int index) override {
        log.push_back("GetEntryText " + std::to_string(index));
        return entries.at(static_cast<std::size_t>(index));
    }
    void SetProgressRange(std::int32_t lower, std::int32_t upper) override {
        log.push_back("SetProgressRange " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetProgressStep(int step) override {
        log.push_back("SetProgressStep " + std::to_string(step));
    }
    void StepProgress() override { log.push_back("StepProgress"); }
    void SetProgressPosition(int position) override {
        log.push_back("SetProgressPosition " + std::to_string(position));
    }
    bool MakeSureDirectoryPathExists(std::string path) override {
        log.push_back("MakeSureDirectoryPathExists " + path);
        if (realFolders)
            fs::create_directories(path);
        return folderCreation;
    }
    void ShowMessage(std::string text, MessageKind kind) override {
        log.push_back("ShowMessage " + text +
                      (kind == MessageKind::Refused ? " | Refused" : " | EntryFailed"));
    }
    void BeginWaitCursor() override { log.push_back("BeginWaitCursor"); }
    void EndWaitCursor() override { log.push_back("EndWaitCursor"); }
};

const std::string kSep(1, kPathSeparator);

Log Prefix(int count) {
    return {"ReadFields", "GetEntryCount", "SetProgressRange 0 " + std::to_string(count),
            "SetProgressStep 1"};
}

Log Join(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ConversionRun, RefusalsComeInOrderBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        int entries;
        std::string destination, label;
        bool folderCreation;
        std::string message;
    } cases[] = {
        {"no entries", 0, "", "", true, "You have to select at least one source file!"},
        {"no destination", 1, "", "", true,
         "You have to choose a destination folder for the output file(s)!"},
        {"no label", 1, "out", "", true, "You have to specify a label for the output file(s)!"},
        {"no folder", 2, "out", "l", false,
         "Failed to create destination folder!\nOperation cancelled!"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.fields = {c.destination, c.label, 0};
        host.entries.assign(static_cast<std::size_t>(c.entries), "nonexistent.bin");
        host.folderCreation = c.folderCreation;
        RunConversion(host);
        Log expected = Prefix(c.entries);
        if (!c.folderCreation)
            expected.push_back("MakeSureDirectoryPathExists out" + kSep);
        expected.push_back("ShowMessage " + c.message + " | Refused");
        EXPECT_EQ(host.log, expected) << c.what;
    }
}

TEST(ConversionRun, BlankFieldsAreNotEmpty) {
    TempDir dir;
    FakeHost host;
    host.fields = {dir.path().string(), " ", 0};
    host.entries = {};
    RunConversion(host);
    EXPECT_EQ(host.log.back(),
              "ShowMessage You have to select at least one source file! | Refused");
    host.log.clear();
    WriteFile(dir / "in.bin", "x");
    host.entries = {dir / "in.bin"};
    RunConversion(host);
    EXPECT_EQ(ReadFile(dir / "in.c"), ReferenceC("x", " "));
}

TEST(ConversionRun, SeveralEntriesGetNumberedLabelsAndOneStepEach) {
    TempDir src, dst;
    WriteFile(src / "pic1.tim", Bytes({1, 2, 3}));
    WriteFile(src / "pic2.tim", Bytes({4}));
    FakeHost host;
    host.realFolders = true;
    host.fields = {(dst.path() / "sub" / "deeper").string(), "tex", 0};
    host.entries = {src / "pic1.tim", src / "pic2.tim"};
    RunConversion(host);
    EXPECT_EQ(host.log, Join(Prefix(2),
                             {"MakeSureDirectoryPathExists " + host.fields.destination + kSep,
                              "BeginWaitCursor", "GetEntryText 0", "GetEntryText 1", "StepProgress",
                              "StepProgress", "SetProgressPosition 0", "EndWaitCursor"}));
    const fs::path out = dst.path() / "sub" / "deeper";
    EXPECT_EQ(ReadFile(out / "pic1.c"), ReferenceC(Bytes({1, 2, 3}), "tex1"));
    EXPECT_EQ(ReadFile(out / "pic2.c"), ReferenceC(Bytes({4}), "tex2"));
}

TEST(ConversionRun, OneEntryUsesTheLabelItself) {
    TempDir dir;
    WriteFile(dir / "model.tmd", Bytes({9, 9}));
    FakeHost host;
    host.fields = {dir.path().string(), "mdl", 1};
    host.entries = {dir / "model.tmd"};
    RunConversion(host);
    EXPECT_EQ(ReadFile(dir / "model.asm"), ReferenceAsm(Bytes({9, 9}), "mdl"));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"model.asm", "model.tmd"}));
}

TEST(ConversionRun, FailedEntriesAreReportedAndTheRunGoesOn) {
    TempDir dir;
    WriteFile(dir / "a.tim", "A");
    WriteFile(dir / "x.c", "int x;");
    WriteFile(dir / "d.tim", "D");
    fs::create_directory(dir.path() / "b.c");
    const std::string out = dir.path().string();
    FakeHost host;
    host.fields = {out, "t", 0};
    host.entries = {dir / "a.tim", dir / "gone.tim", dir / "b.tim", dir / "x.c", dir / "d.tim"};
    WriteFile(dir / "b.tim", "B");
    RunConversion(host);
    const std::string caption = " | EntryFailed";
    EXPECT_EQ(host.log,
              Join(Prefix(5),
                   {"MakeSureDirectoryPathExists " + out + kSep, "BeginWaitCursor",
                    "GetEntryText 0", "GetEntryText 1", "GetEntryText 2", "GetEntryText 3",
                    "GetEntryText 4", "StepProgress", "StepProgress",
                    "ShowMessage Failed to open input file " + (dir / "gone.tim") + "!" + caption,
                    "StepProgress",
                    "ShowMessage Failed to open output file " + out + kSep + "b.c!" + caption,
                    "StepProgress",
                    "ShowMessage Output file " + out + kSep +
                        "x.c would overwrite its input file!" + caption,
                    "StepProgress", "SetProgressPosition 0", "EndWaitCursor"}));
    EXPECT_EQ(ReadFile(dir / "a.c"), ReferenceC("A", "t1"));
    EXPECT_EQ(ReadFile(dir / "d.c"), ReferenceC("D", "t5"));
    EXPECT_EQ(ReadFile(dir / "x.c"), "int x;");
}

TEST(ConversionRun, ReadFailureHasItsOwnMessage) {
    TempDir dir;
    WriteFile(dir / "a.tim", "A");
    FakeHost host;
    host.fields = {dir.path().string(), "t", 0};
    host.entries = {dir / "a.tim"};
    tavrik::os::SetReadFailureForTesting(0);
    RunConversion(host);
    tavrik::os::SetReadFailureForTesting(-1);
    EXPECT_EQ(host.log.at(host.log.size() - 3),
              "ShowMessage Failed to read input file " + (dir / "a.tim") + "! | EntryFailed");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.tim"});
}

TEST(ConversionRun, OtherFormatsWriteNothingButStillStep) {
    TempDir dir;
    WriteFile(dir / "a.tim", "A");
    for (int format : {-1, 2}) {
        FakeHost host;
        host.fields = {dir.path().string(), "t", format};
        host.entries = {dir / "a.tim", dir / "missing.tim"};
        RunConversion(host);
        EXPECT_EQ(
            host.log,
            Join(Prefix(2), {"MakeSureDirectoryPathExists " + dir.path().string() + kSep,
                             "BeginWaitCursor", "GetEntryText 0", "GetEntryText 1", "StepProgress",
                             "StepProgress", "SetProgressPosition 0", "EndWaitCursor"}))
            << format;
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.tim"});
}

// Messages of the run, without the calls around them.
Log Messages(const Log& log) {
    Log messages;
    for (const auto& line : log)
        if (line.rfind("ShowMessage ", 0) == 0)
            messages.push_back(line.substr(12));
    return messages;
}

TEST(ConversionRun, NothingOfTheRunIsReplacedByALaterOrEarlierEntry) {
    const std::string caption = " | EntryFailed";
    struct Case {
        const char* what;
        std::vector<std::string> names; // files made with their own name as content
        std::vector<std::string> entries;
        std::vector<std::string> messages;             // with {} for the folder and its separator
        std::vector<std::vector<std::string>> written; // output, its input, its label
    } cases[] = {
        {"an earlier output is a later input",
         {"p.tim", "p.c"},
         {"p.tim", "p.c"},
         {"Output file {}p.c would overwrite input file {}p.c of this run!",
          "Output file {}p.c would overwrite its input file!"},
         {}},
        {"a later output is an earlier input",
         {"q.c", "q.tmd"},
         {"q.c", "q.tmd"},
         {"Output file {}q.c would overwrite its input file!",
          "Output file {}q.c would overwrite input file {}q.c of this run!"},
         {}},
        {"two entries with one title",
         {"car.TIM", "car.TMD", "van.tim"},
         {"car.TIM", "car.TMD", "van.tim"},
         {"Output file {}car.c was already written in this run!"},
         {{"car.c", "car.TIM", "t1"}, {"van.c", "van.tim", "t3"}}},
        {"an input listed twice that is its own output",
         {"x.c"},
         {"x.c", "." + kSep + "x.c"},
         {"Output file {}x.c would overwrite its input file!",
          "Output file {}x.c would overwrite its input file!"},
         {}},
        {"one file listed twice",
         {"s.tim"},
         {"s.tim", "." + kSep + "s.tim"},
         {"Output file {}s.c was already written in this run!"},
         {{"s.c", "s.tim", "t1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        for (const auto& name : c.names)
            WriteFile(dir / name, name);
        FakeHost host;
        host.fields = {dir.path().string(), "t", 0};
        for (const auto& entry : c.entries)
            host.entries.push_back(dir / entry);
        RunConversion(host);
        Log expected;
        for (std::string message : c.messages) {
            for (std::size_t at; (at = message.find("{}")) != std::string::npos;)
                message.replace(at, 2, dir.path().string() + kSep);
            expected.push_back(message + caption);
        }
        EXPECT_EQ(Messages(host.log), expected);
        for (const auto& name : c.names)
            EXPECT_EQ(ReadFile(dir / name), name) << "an input is never changed";
        std::vector<std::string> present = c.names;
        for (const auto& w : c.written) {
            EXPECT_EQ(ReadFile(dir / w[0]), ReferenceC(w[1], w[2])) << w[0];
            present.push_back(w[0]);
        }
        std::sort(present.begin(), present.end());
        EXPECT_EQ(dir.Names(), present) << "no other file, no temporary one left";
    }
}

} // namespace
