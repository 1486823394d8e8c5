#include "tests/win32/folderpicker/PickerSupport.h"

namespace {

struct BrowseTest : MainWindowFixture {
    RecordedBoxes boxes;
    Picker picker;

    void Browse(std::vector<PickerStep> steps) {
        TimerScript script(PickerSteps(picker, dlg.m_hWnd, std::move(steps)), CancelPicker(picker),
                           30000);
        dlg.Click(IDC_BROWSE);
        EXPECT_TRUE(script.Finished()) << "steps done: " << script.StepsDone();
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(FindOtherDialog(dlg.m_hWnd), nullptr) << "the picker is closed";
    }
};

TEST_F(BrowseTest, OpenSetsOnlyTheFolderField) {
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_LABEL, "typed");
    ::CheckRadioButton(dlg.m_hWnd, IDC_FORMAT_C, IDC_FORMAT_ASM, IDC_FORMAT_ASM);
    const std::string wanted = folder.Path() + "\\out";
    boxes.answers = {IDYES};
    Browse({[&](Picker& p) {
        p.SetPath(wanted);
        p.ClickOpen();
        return true;
    }});
    // The question is asked over the picker, not over the main window.
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].hOwner, picker.hDlg);
    EXPECT_TRUE(SameText(dlg.GetDlgItemText(IDC_DESTINATION), wanted + "\\"))
        << dlg.GetDlgItemText(IDC_DESTINATION);
    // What was typed and picked since the last reading is still there.
    EXPECT_EQ(dlg.GetDlgItemText(IDC_LABEL), "typed");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FORMAT_ASM), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_FORMAT_C), BST_UNCHECKED);
}

TEST_F(BrowseTest, CancelStillTakesTheFolderShownLast) {
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_DESTINATION, "C:\\before");
    ::CreateDirectoryA((folder.Path() + "\\shown").c_str(), nullptr);
    std::string shown;
    Browse({[&](Picker& p) {
        p.SetPath(folder.Path() + "\\shown\\");
        p.Enter();
        shown = p.PathText();
        p.Cancel();
        return true;
    }});
    EXPECT_TRUE(SameText(shown, folder.Path() + "\\shown\\")) << shown;
    EXPECT_EQ(dlg.GetDlgItemText(IDC_DESTINATION), shown);
    EXPECT_EQ(dlg.m_strDestination, shown);
}

} // namespace
