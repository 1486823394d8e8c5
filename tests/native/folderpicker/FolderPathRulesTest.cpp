#include "tests/native/folderpicker/FakeFolders.h"

#include <optional>

using namespace tavrik;

namespace {

const char* const kOpenOtherFailure = "You do not have permission\nto create this folder.";
const char* const kEnterOtherFailure =
    "You do not have permission or\notherwise cannot create this folder.";
const char* const kRemovableFailure =
    "You cannot create this folder.\nThe medium may be write-protected.";
const char* const kRemoteFailure =
    "You do not have permission to create\nthis folder on the network.";
const char* const kCdRomFailure =
    "You cannot create this folder\nas the CD ROM medium is read-only.";

std::string Question(const std::string& path) {
    return path + "\nThis folder does not exist.\n\nDo you want to create it?";
}

// C:\ holds two folders, one all in capitals, two files and two folders that
// share a beginning; R:, N: and D: are read-only drives of the three kinds, and
// nothing can be created in C:\locked.
void Populate(FakeFolders& fs) {
    for (const char* folder : {"C:\\out", "C:\\Program Files", "C:\\WINDOWS", "C:\\users",
                               "C:\\util", "C:\\locked", "\\\\server\\share\\docs", "sub"})
        fs.AddFolder(folder);
    for (const char* file : {"C:\\a.tim", "C:\\prompt.txt", "C:\\alpha.tim"})
        fs.AddFile(file);
    fs.readOnly = {"R:\\", "N:\\", "D:\\", "C:\\locked\\", "\\\\"};
}

struct OpenCase {
    const char* text;
    std::optional<bool> answer; // to the create question, when one is expected
    std::optional<std::string> accepted;
    std::string message; // the one message shown, or none
};

TEST(DecideOpen, TypedTexts) {
    const std::string longPath = "C:\\" + std::string(300, 'x');
    const OpenCase cases[] = {
        {"", {}, "", ""},
        {"\\", {}, "\\", ""},
        {"\\\\", {}, {}, "\\\\\nThis is not a valid folder."},
        {"C:", {}, "C:", ""},
        {"C:\\", {}, "C:\\", ""},
        {"q:", {}, {}, "q:\nThe drive is invalid."},
        {"Q:\\", {}, {}, "Q:\\\nThe drive is invalid."},
        {"C:\\out", {}, "C:\\out", ""},
        {"C:\\out\\", {}, "C:\\out", ""},
        // Only one trailing backslash goes.
        {"C:\\out\\\\", {}, "C:\\out\\", ""},
        {"sub\\", {}, "sub", ""},
        {"C:\\a.tim", {}, {}, "C:\\a.tim\nThis is a file not a directory."},
        {"C:\\a.tim\\", {}, {}, "C:\\a.tim\nThis is a file not a directory."},
        {"Q:\\x\\", {}, {}, "Q:\\x\nThe drive is invalid."},
        {"C:\\new\\deep\\", true, "C:\\new\\deep", ""},
        {"C:\\new", false, {}, ""},
        {"newsub", true, "newsub", ""},
        {"\\\\server", {}, {}, "\\\\server\nThis is not a valid folder."},
        {"\\\\server\\share", {}, {}, "\\\\server\\share\nThis is not a valid folder."},
        {"\\\\server\\share\\docs", {}, "\\\\server\\share\\docs", ""},
        {"\\\\server\\share\\new", false, {}, ""},
        {"C:\\locked\\x", true, {}, kOpenOtherFailure},
        {"R:\\x", true, {}, kRemovableFailure},
        {"N:\\x\\y", true, {}, kRemoteFailure},
        {"D:\\x", true, {}, kCdRomFailure},
        // A UNC path takes its drive root from the backslash, which is no drive.
        {"\\\\server\\share\\new", true, {}, kOpenOtherFailure},
        {longPath.c_str(), {}, {}, longPath + "\nThe path is longer than 259 characters."},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.text);
        FakeFolders fs;
        Populate(fs);
        if (c.answer)
            fs.answers.push_back(*c.answer);
        OpenDecision decision = DecideOpen(c.text, fs);
        EXPECT_EQ(decision.accept, c.accepted.has_value());
        if (c.accepted) {
            EXPECT_EQ(decision.path, *c.accepted);
        }
        EXPECT_EQ(fs.messages, c.message.empty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{c.message});
        if (c.answer) {
            std::string asked = std::string(c.text);
            if (asked.back() == '\\')
                asked.pop_back();
            EXPECT_EQ(fs.questions, std::vector<std::string>{Question(asked)});
        } else {
            EXPECT_TRUE(fs.questions.empty());
        }
    }
}

TEST(DecideOpen, YesCreatesTheWholeChainAndNoCreatesNothing) {
    FakeFolders fs;
    Populate(fs);
    fs.answers = {false};
    EXPECT_FALSE(DecideOpen("C:\\new\\deep", fs).accept);
    EXPECT_TRUE(fs.created.empty());
    fs.answers = {true};
    EXPECT_TRUE(DecideOpen("C:\\new\\deep\\", fs).accept);
    EXPECT_EQ(fs.created, std::vector<std::string>{"C:\\new\\deep\\"});
    EXPECT_EQ(fs.Attributes("C:\\new\\deep"), PathKind::Folder);
}

struct EnterCase {
    const char* text;
    EnterDecision::Action action;
    std::string path;
    std::optional<bool> answer;
    std::string message;
};

TEST(DecideEnter, TypedTexts) {
    using A = EnterDecision::Action;
    const std::string longPath = "C:\\" + std::string(300, 'x') + "\\";
    const EnterCase cases[] = {
        {"", A::Navigate, "", {}, ""},
        {"\\", A::Navigate, "\\", {}, ""},
        {"\\\\", A::Navigate, "\\\\", {}, ""},
        {"\\\\server", A::Navigate, "\\\\server", {}, ""},
        {"\\\\server\\", A::Navigate, "\\\\server", {}, ""},
        {"C:", A::Navigate, "C:", {}, ""},
        {"C:\\", A::Navigate, "C:\\", {}, ""},
        {"Q:\\", A::Navigate, "Q:\\", {}, ""},
        {"C:\\out\\", A::NavigateAndFinish, "C:\\out", {}, ""},
        // The dialog itself refuses a file, and a missing drive.
        {"C:\\a.tim", A::NavigateAndFinish, "C:\\a.tim", {}, ""},
        {"Q:\\x", A::NavigateAndFinish, "Q:\\x", {}, ""},
        {"C:\\new\\", A::NavigateAndFinish, "C:\\new", true, ""},
        {"C:\\new", A::Nothing, "", false, ""},
        // Unlike Open, Enter offers a share for creation.
        {"\\\\server\\share", A::Nothing, "", false, ""},
        {"C:\\locked\\x", A::Nothing, "", true, kEnterOtherFailure},
        {"R:\\x", A::Nothing, "", true, kRemovableFailure},
        {"N:\\x", A::Nothing, "", true, kRemoteFailure},
        {"D:\\x", A::Nothing, "", true, kCdRomFailure},
        {longPath.c_str(),
         A::Nothing,
         "",
         {},
         longPath.substr(0, longPath.size() - 1) + "\nThe path is longer than 259 characters."},
    };
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(c.text);
        FakeFolders fs;
        Populate(fs);
        if (c.answer)
            fs.answers.push_back(*c.answer);
        EnterDecision decision = DecideEnter(c.text, fs);
        EXPECT_EQ(decision.action, c.action);
        EXPECT_EQ(decision.path, c.path);
        EXPECT_EQ(fs.questions.size(), c.answer ? 1u : 0u);
        EXPECT_EQ(fs.messages, c.message.empty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{c.message});
    }
}

TEST(CheckTypedPath, NavigatesOnlyToExistingFoldersAndRoots) {
    const std::string longFolder = "C:\\" + std::string(280, 'x') + "\\";
    const std::pair<std::string, LiveCheck> cases[] = {
        {"\\\\", LiveCheck::Ended},
        {"\\", LiveCheck::Navigate},
        {"C:\\", LiveCheck::Navigate},
        {"Q:\\", LiveCheck::Ended},
        {"c:\\OUT\\", LiveCheck::Navigate},
        {"C:\\missing\\", LiveCheck::Ended},
        {"C:\\a.tim\\", LiveCheck::Ended},
        {"C:\\ou", LiveCheck::PassOn},
        {"", LiveCheck::PassOn},
        {"C:", LiveCheck::PassOn},
        {longFolder, LiveCheck::Ended},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        FakeFolders fs;
        Populate(fs);
        EXPECT_EQ(CheckTypedPath(text, fs), expected);
    }
}

struct CompletionCase {
    std::string text;
    std::optional<std::string> completed; // none: no completion
};

TEST(CompleteFolderName, NamesAndLetterCase) {
    const CompletionCase cases[] = {
        {"C:\\prog", "C:\\program Files"},
        {"C:\\PROG", "C:\\PROGRAM FILES"},
        {"C:\\w", "C:\\windows"},
        {"C:\\W", "C:\\Windows"},
        {"C:/prog", "C:/program Files"},
        // The file prompt.txt begins alike but only folders count.
        {"C:\\pro", "C:\\program Files"},
        {"C:\\u", {}},  // users and util
        {"C:\\al", {}}, // a file only
        {"C:\\z", {}},
        {"C:\\Program Files", "C:\\Program Files"},
        // Bytes from 0x80 on are no letters: they keep their value and do not
        // stop a name in capitals from being retitled.
        {"C:\\\xC9", "C:\\\xC9"
                     "cole"},
        {"C:\\c", "C:\\caf\xC9"},
        // A short alias whose long name is shorter than the typed part.
        {"C:\\longna~1", {}},
    };
    for (const CompletionCase& c : cases) {
        SCOPED_TRACE(c.text);
        FakeFolders fs;
        Populate(fs);
        fs.AddFolder("C:\\\xC9"
                     "COLE");
        fs.AddFolder("C:\\CAF\xC9");
        fs.AddAlias("C:\\LONGNA~1", "C:\\L");
        const int n = static_cast<int>(c.text.size());
        Completion completion;
        bool done = CompleteFolderName(c.text, n, n, fs, completion);
        ASSERT_EQ(done, c.completed.has_value());
        if (!done)
            continue;
        EXPECT_EQ(completion.text, *c.completed);
        // The added part is selected, so that typing on replaces it.
        EXPECT_EQ(completion.selStart, n);
        EXPECT_EQ(completion.selEnd, static_cast<int>(c.completed->size()));
    }
}

TEST(CompleteFolderName, OnlyWithTheCaretAtTheEnd) {
    FakeFolders fs;
    Populate(fs);
    Completion completion;
    EXPECT_FALSE(CompleteFolderName("C:\\prog", 3, 3, fs, completion));
    EXPECT_FALSE(CompleteFolderName("C:\\prog", 3, 7, fs, completion));
    EXPECT_TRUE(CompleteFolderName("C:\\prog", 7, 7, fs, completion));
}

TEST(CompleteFolderName, NoSearchBeyondThePathBuffer) {
    FakeFolders fs;
    std::string text = "C:\\" + std::string(256, 'p'); // 259 bytes, 260 with the "*"
    Completion completion;
    EXPECT_FALSE(CompleteFolderName(text, 259, 259, fs, completion));
}

TEST(AfterTypedCharacter, BackspaceNavigatesButNeverCompletes) {
    using A = TypedResult::Action;
    FakeFolders fs;
    Populate(fs);
    EXPECT_EQ(AfterTypedCharacter('g', "C:\\prog", 7, 7, fs).action, A::Complete);
    EXPECT_EQ(AfterTypedCharacter(kBackspace, "C:\\prog", 7, 7, fs).action, A::Nothing);
    EXPECT_EQ(AfterTypedCharacter('\\', "C:\\out\\", 7, 7, fs).action, A::Navigate);
    EXPECT_EQ(AfterTypedCharacter(kBackspace, "C:\\out\\", 7, 7, fs).action, A::Navigate);
    EXPECT_EQ(AfterTypedCharacter('\\', "\\\\", 2, 2, fs).action, A::Nothing);
    // Escape is a typed character like any other.
    EXPECT_EQ(AfterTypedCharacter(27, "C:\\W", 4, 4, fs).completion.text, "C:\\Windows");
}

TEST(KeepNavigatedText, TypedTextOrTheDialogs) {
    struct {
        const char* before;
        const char* after;
        bool keep;
    } cases[] = {
        {"", "C:\\out\\", true},           {"..", "C:\\", true},  {"c:\\out", "C:\\OUT", true},
        {"c:\\out", "C:\\Out\\", true},    {"\\", "C:\\", false}, {"c:\\out", "C:\\out\\\\", false},
        {"sub", "C:\\work\\sub\\", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepNavigatedText(c.before, c.after), c.keep) << c.before << " -> " << c.after;
}

TEST(FolderFilter, MatchesNoFileAndKeepsExtraPairs) {
    using namespace std::string_literals;
    EXPECT_EQ(FolderFilter(nullptr), "Show Folders Only\0.\0\0"s);
    EXPECT_EQ(FolderFilter("Pictures|*.tim|"), "Show Folders Only\0.\0Pictures\0*.tim\0"s);
}

TEST(WithTrailingBackslash, AddsOneUnlessEmpty) {
    EXPECT_EQ(WithTrailingBackslash(""), "");
    EXPECT_EQ(WithTrailingBackslash("C:\\out"), "C:\\out\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
}

} // namespace
