#include "TestSupport.h"

namespace {

using Action = std::function<void(HWND fileDialog)>;

Action Type(std::string text) {
    return [text](HWND h) { EnterFileName(h, text); };
}

struct SourceListFixture : MainWindowFixture {
    std::string In(const std::string& name) const { return folder.Path() + "\\" + name; }

    // Presses Add... and plays the actions on the file dialog, one per timer tick.
    void Add(std::vector<Action> actions) {
        std::vector<TimerScript::Step> steps;
        for (Action& action : actions)
            steps.push_back([this, action] {
                HWND h = FindOtherDialog(dlg.m_hWnd);
                if (h == nullptr)
                    return false;
                action(h);
                return true;
            });
        TimerScript script(steps, [this] {
            if (HWND h = FindOtherDialog(dlg.m_hWnd))
                ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
        });
        dlg.Click(IDC_ADD);
        EXPECT_TRUE(script.Finished()) << "steps done: " << script.StepsDone();
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(FindOtherDialog(dlg.m_hWnd), nullptr) << "the file dialog is closed";
    }
};

TEST_F(SourceListFixture, SelectedFilesLandSortedAndExactDuplicatesAreSkipped) {
    for (const char* name : {"c.tim", "a.tim", "b.tim"})
        folder.File(name, "x");
    Add({Type(folder.Path()), Type("\"c.tim\" \"a.tim\" \"b.tim\"")});
    EXPECT_EQ(dlg.Entries(), std::vector<std::string>({In("a.tim"), In("b.tim"), In("c.tim")}));

    Add({Type(In("b.tim"))});
    EXPECT_EQ(dlg.Entries(), std::vector<std::string>({In("a.tim"), In("b.tim"), In("c.tim")}));
}

TEST_F(SourceListFixture, PathsDifferingOnlyInCaseAreBothKept) {
    folder.File("pic.tim", "x");
    Add({Type(In("pic.tim"))});
    Add({Type(In("PIC.TIM"))});
    std::vector<std::string> entries = dlg.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_NE(entries[0], entries[1]);
    EXPECT_EQ(lstrcmpiA(entries[0].c_str(), entries[1].c_str()), 0);
}

TEST_F(SourceListFixture, CancelledDialogAddsNothing) {
    folder.File("a.tim", "x");
    Add({[](HWND h) { ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0); }});
    EXPECT_TRUE(dlg.Entries().empty());
}

TEST_F(SourceListFixture, DeleteRemovesExactlyTheSelectedEntries) {
    for (const char* entry : {"C:\\e1", "C:\\e2", "C:\\e3", "C:\\e4", "C:\\e5"})
        dlg.m_lbSources.AddString(entry);
    dlg.Click(IDC_DELETE);
    EXPECT_EQ(dlg.Entries().size(), 5u) << "nothing selected, nothing deleted";

    dlg.m_lbSources.SetSel(1);
    dlg.m_lbSources.SetSel(3);
    dlg.Click(IDC_DELETE);
    EXPECT_EQ(dlg.Entries(), std::vector<std::string>({"C:\\e1", "C:\\e3", "C:\\e5"}));

    dlg.Click(IDC_CLEAR);
    EXPECT_EQ(dlg.m_lbSources.GetCount(), 0);
}

} // namespace
