#include "tests/win32/mainwindow/MainWindowSupport.h"

#include "convert/Emitters.h"

using namespace tavrik;

namespace {

struct ConvertFixture : MainWindowFixture {
    void Fields(const std::string& destination, const std::string& label, int format) {
        dlg.SetDlgItemText(IDC_DESTINATION, destination);
        dlg.SetDlgItemText(IDC_LABEL, label);
        ::CheckDlgButton(dlg.m_hWnd, IDC_FORMAT_C, format == 0 ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(dlg.m_hWnd, IDC_FORMAT_ASM, format == 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    void Range(int& low, int& high) { dlg.m_progress.GetRange(low, high); }
};

TEST_F(ConvertFixture, RefusalsNameWhatIsMissing) {
    struct Case {
        int entries;
        std::string destination;
        std::string label;
        std::string text;
    } cases[] = {
        {0, "C:\\out", "tex", "You have to select at least one source file!"},
        {2, "", "tex", "You have to choose a destination folder for the output file(s)!"},
        {2, "C:\\out", "", "You have to specify a label for the output file(s)!"},
        {3, folder.Path() + "\\afile\\new", "tex",
         "Failed to create destination folder!\nOperation cancelled!"},
    };
    folder.File("afile", "not a folder");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dlg.m_lbSources.ResetContent();
        for (int i = 0; i < c.entries; ++i)
            dlg.m_lbSources.AddString(folder.Path() + "\\in" + std::to_string(i) + ".tim");
        Fields(c.destination, c.label, 0);
        RecordedBoxes boxes;
        dlg.Click(IDC_CONVERT);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, c.text);
        EXPECT_EQ(boxes.boxes[0].caption, "Tavrik - Error!");
        EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(boxes.boxes[0].hOwner, dlg.m_hWnd);
        int low = -1, high = -1;
        Range(low, high);
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, c.entries);
        EXPECT_EQ(dlg.m_progress.GetPos(), 0);
    }
}

TEST_F(ConvertFixture, TwoEntriesBecomeTwoFilesWithNumberedLabels) {
    std::string first = folder.File("pic1.tim", std::string("\x10\x00\x00\x00\x09\xff", 6));
    std::string second = folder.File("pic2.tim", "0123456789abcdefXYZ");
    dlg.m_lbSources.AddString(second);
    dlg.m_lbSources.AddString(first);
    std::string out = folder.Path() + "\\out\\deeper";
    Fields(out, "tex", 0);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    EXPECT_TRUE(boxes.boxes.empty());

    TempDir reference;
    ASSERT_EQ(ConvertToC(first, reference.Path() + "\\1.c", "tex1"), CONVERT_OK);
    ASSERT_EQ(ConvertToC(second, reference.Path() + "\\2.c", "tex2"), CONVERT_OK);
    EXPECT_EQ(ReadWholeFile(out + "\\pic1.c"), ReadWholeFile(reference.Path() + "\\1.c"));
    EXPECT_EQ(ReadWholeFile(out + "\\pic2.c"), ReadWholeFile(reference.Path() + "\\2.c"));
    EXPECT_NE(ReadWholeFile(out + "\\pic1.c").find("tex1"), std::string::npos);
    EXPECT_EQ(dlg.m_progress.GetPos(), 0);
    EXPECT_EQ(dlg.Entries().size(), 2u) << "the list stays as it was";
}

TEST_F(ConvertFixture, OneEntryUsesTheLabelItselfInAssembler) {
    std::string input = folder.File("model.tmd", "abc");
    dlg.m_lbSources.AddString(input);
    Fields(folder.Path() + "\\", "mdl", 1);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    EXPECT_TRUE(boxes.boxes.empty());
    TempDir reference;
    ASSERT_EQ(ConvertToAsm(input, reference.Path() + "\\m.asm", "mdl"), CONVERT_OK);
    EXPECT_EQ(ReadWholeFile(folder.Path() + "\\model.asm"),
              ReadWholeFile(reference.Path() + "\\m.asm"));
}

TEST_F(ConvertFixture, FailingEntryIsReportedAndTheRunGoesOn) {
    std::string missing = folder.Path() + "\\a-gone.tim";
    std::string present = folder.File("b-here.tim", "data");
    dlg.m_lbSources.AddString(present);
    dlg.m_lbSources.AddString(missing);
    Fields(folder.Path(), "tex", 0);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Failed to open input file " + missing + "!");
    EXPECT_EQ(boxes.boxes[0].caption, "Tavrik - Conversion Error!");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(boxes.boxes[0].hOwner, dlg.m_hWnd);
    std::string written = ReadWholeFile(folder.Path() + "\\b-here.c");
    EXPECT_NE(written.find("tex2"), std::string::npos) << "later entries keep their numbers";
    EXPECT_EQ(dlg.m_progress.GetPos(), 0);
}

TEST_F(ConvertFixture, NoFormatCheckedWritesNothing) {
    dlg.m_lbSources.AddString(folder.File("a.tim", "x"));
    Fields(folder.Path(), "tex", -1);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(ReadWholeFile(folder.Path() + "\\a.c"), "<missing>");
    EXPECT_EQ(dlg.m_progress.GetPos(), 0);
}

// A 16-bit range would wrap at 65,536 entries.
TEST_F(ConvertFixture, ProgressRangeHoldsMoreThanSixtyFiveThousandEntries) {
    const int count = 65537;
    dlg.m_lbSources.SendMessage(WM_SETREDRAW, FALSE);
    char name[32];
    for (int i = 0; i < count; ++i) {
        wsprintfA(name, "C:\\in\\f%06d.tim", i);
        dlg.m_lbSources.AddString(name);
    }
    ASSERT_EQ(dlg.m_lbSources.GetCount(), count);
    Fields("", "tex", 0);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    int low = -1, high = -1;
    Range(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, count);
}

} // namespace
