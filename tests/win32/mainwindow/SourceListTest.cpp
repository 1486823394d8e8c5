#include "tests/win32/mainwindow/MainWindowSupport.h"

#include <shlobj.h>

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
        TimerScript script(steps, CancelOtherDialog(dlg.m_hWnd));
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

// A drop from Explorer: the wide file list that WM_DROPFILES carries.
void Drop(HWND hWnd, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    const size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
           list.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    // The window releases the drop, as it must for a real one.
    ::SendMessageA(hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

std::wstring Wide(const std::string& text) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return wide;
}

TEST_F(SourceListFixture, DroppedFilesAndFolderJoinByTheRulesOfAdd) {
    EXPECT_TRUE(dlg.GetExStyle() & WS_EX_ACCEPTFILES) << "the window takes drops";
    std::string a = folder.File("a.tim", "x");
    std::string z = folder.File("z.tim", "x");
    std::string sub = folder.Path() + "\\sub";
    ::CreateDirectoryA(sub.c_str(), nullptr);
    ::CreateDirectoryA((sub + "\\deeper").c_str(), nullptr);
    folder.File("sub\\m.tmd", "x");
    folder.File("sub\\b.tim", "x");
    folder.File("sub\\deeper\\inner.tim", "x");
    std::string hidden = folder.File("sub\\thumbs.db", "x");
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    dlg.m_lbSources.AddString(a);

    RecordedBoxes boxes;
    Drop(dlg.m_hWnd, {Wide(z), Wide(sub), Wide(a), Wide(z)});
    EXPECT_EQ(dlg.Entries(), std::vector<std::string>({a, In("sub\\b.tim"), In("sub\\m.tmd"), z}));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SourceListFixture, DroppedNameWithoutAnExactFormIsReportedAndLeftOut) {
    std::string a = folder.File("a.tim", "x");
    RecordedBoxes boxes;
    // A lone surrogate has no form in any code page.
    Drop(dlg.m_hWnd, {Wide(folder.Path()) + L"\\\xD800.tim", Wide(a)});
    EXPECT_EQ(dlg.Entries(), std::vector<std::string>({a}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Tavrik - Error!");
    EXPECT_EQ(boxes.boxes[0].text.rfind("1 file(s) not added", 0), 0u) << boxes.boxes[0].text;
}

int ListTextWidth(HWND hList, const std::string& text) {
    HDC hdc = ::GetDC(hList);
    HGDIOBJ old =
        ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageA(hList, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(hdc, old);
    ::ReleaseDC(hList, hdc);
    return size.cx;
}

bool HorizontalBarShows(HWND hList) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    return ::GetScrollBarInfo(hList, OBJID_HSCROLL, &info) &&
           !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

TEST_F(SourceListFixture, ListScrollsSidewaysToItsWidestEntry) {
    HWND hList = dlg.m_lbSources.m_hWnd;
    RECT client{};
    ::GetClientRect(hList, &client);
    EXPECT_EQ(dlg.m_lbSources.GetHorizontalExtent(), 0);

    std::string shortPath = folder.File("s.tim", "x");
    std::string longPath = folder.Path() + "\\";
    longPath += std::string(200 - longPath.size() - 4, 'n') + ".tim";
    ASSERT_EQ(longPath.size(), 200u);
    Drop(dlg.m_hWnd, {Wide(shortPath), Wide(longPath)});
    const int longWidth = ListTextWidth(hList, longPath);
    const int extent = dlg.m_lbSources.GetHorizontalExtent();
    EXPECT_GE(extent, longWidth) << "the whole path can be scrolled into view";
    EXPECT_LE(extent, longWidth + 8) << "and not much further";
    EXPECT_GT(extent, client.right) << "200 characters are wider than the list";
    EXPECT_TRUE(HorizontalBarShows(hList));

    // Deleting the widest entry shrinks the extent to the next one.
    for (int i = 0; i < dlg.m_lbSources.GetCount(); ++i)
        dlg.m_lbSources.SetSel(i, dlg.m_lbSources.GetText(i) == longPath);
    dlg.Click(IDC_DELETE);
    ASSERT_EQ(dlg.Entries(), std::vector<std::string>({shortPath}));
    EXPECT_GE(dlg.m_lbSources.GetHorizontalExtent(), ListTextWidth(hList, shortPath));
    EXPECT_LT(dlg.m_lbSources.GetHorizontalExtent(), longWidth);

    Drop(dlg.m_hWnd, {Wide(longPath)});
    EXPECT_TRUE(HorizontalBarShows(hList));
    dlg.Click(IDC_CLEAR);
    EXPECT_EQ(dlg.m_lbSources.GetHorizontalExtent(), 0);
    EXPECT_FALSE(HorizontalBarShows(hList));
}

// The program starts with the files of its command line listed, by the same rules,
// and still with its settings.
TEST(StartFiles, CommandLineFilesAreListedAtStartBesideTheSettings) {
    ClearSettings();
    StoreText("Label", "tex");
    TempDir folder;
    folder.File("b.tim", "x");
    folder.File("a.tim", "x");
    std::string sub = folder.Path() + "\\sub";
    ::CreateDirectoryA(sub.c_str(), nullptr);
    folder.File("sub\\c.tmd", "x");

    char before[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ::SetCurrentDirectoryA(folder.Path().c_str());
    const std::wstring line =
        L"\"C:\\some where\\Tavrik.exe\" b.tim \"" + Wide(folder.Path()) + L"\\a.tim\" sub b.tim";
    int unusable = -1;
    std::vector<std::string> files = CommandLineFiles(line.c_str(), unusable);
    ::SetCurrentDirectoryA(before);
    EXPECT_EQ(unusable, 0);
    EXPECT_EQ(files, std::vector<std::string>({folder.Path() + "\\b.tim", folder.Path() + "\\a.tim",
                                               sub, folder.Path() + "\\b.tim"}))
        << "full paths, in the order given";

    CProbeDlg dlg;
    dlg.SetStartFiles(files);
    ASSERT_TRUE(dlg.Create(IDD_TAVRIK_DIALOG));
    EXPECT_EQ(dlg.Entries(),
              std::vector<std::string>(
                  {folder.Path() + "\\a.tim", folder.Path() + "\\b.tim", sub + "\\c.tmd"}));
    EXPECT_EQ(dlg.GetDlgItemText(IDC_LABEL), "tex");
    dlg.DestroyWindow();
    ClearSettings();
}

TEST(StartFiles, NameWithoutAnExactFormIsCountedAndLeftOut) {
    int unusable = -1;
    std::vector<std::string> files =
        CommandLineFiles(L"Tavrik.exe C:\\x\\\xDC00.tim C:\\x\\ok.tim", unusable);
    EXPECT_EQ(unusable, 1);
    EXPECT_EQ(files, std::vector<std::string>({"C:\\x\\ok.tim"}));
}

// The Delete key goes through the window's own modal loop, as a real key press does.
TEST(SourceListKeys, DeleteKeyInTheListRemovesTheSelectedEntries) {
    ClearSettings();
    CProbeDlg dlg;
    dlg.SetStartFiles({"C:\\e1", "C:\\e2", "C:\\e3", "C:\\e4", "C:\\e5"});
    std::vector<std::string> afterEdit, afterList;
    auto post = [&](int id) {
        ::PostMessageA(::GetDlgItem(dlg.m_hWnd, id), WM_KEYDOWN, VK_DELETE, 0x01530001);
    };
    TimerScript script({[&] {
                            if (dlg.m_hWnd == nullptr || !::IsWindowVisible(dlg.m_hWnd))
                                return false;
                            dlg.m_lbSources.SetSel(1);
                            dlg.m_lbSources.SetSel(3);
                            post(IDC_LABEL); // Delete in another control leaves the list alone
                            return true;
                        },
                        [&] {
                            afterEdit = dlg.Entries();
                            post(IDC_SOURCES);
                            return true;
                        },
                        [&] {
                            afterList = dlg.Entries();
                            ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
                            return true;
                        }},
                       [&] { ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    dlg.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(afterEdit.size(), 5u);
    EXPECT_EQ(afterList, std::vector<std::string>({"C:\\e1", "C:\\e3", "C:\\e5"}));
    ClearSettings();
}

// A relative output folder means the folder the program started in, wherever
// the Add dialog was browsed to.
TEST_F(SourceListFixture, RelativeFolderStaysBelowTheStartFolderAfterBrowsing) {
    TempDir start;
    char before[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(::SetCurrentDirectoryA(start.Path().c_str()));
    std::string input = folder.File("pic.tim", "abc");
    Add({Type(folder.Path()), Type("pic.tim")});
    char now[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_EQ(std::string(now), start.Path());

    dlg.SetDlgItemText(IDC_DESTINATION, "gen");
    dlg.SetDlgItemText(IDC_LABEL, "tex");
    ::CheckDlgButton(dlg.m_hWnd, IDC_FORMAT_C, BST_CHECKED);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    ::SetCurrentDirectoryA(before);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(dlg.Entries(), std::vector<std::string>({input}));
    EXPECT_NE(ReadWholeFile(start.Path() + "\\gen\\pic.c").find("tex"), std::string::npos);
    EXPECT_EQ(::GetFileAttributesA((folder.Path() + "\\gen").c_str()), INVALID_FILE_ATTRIBUTES);
}

// With the UTF-8 code page of the manifest, a name outside the ANSI code page comes
// through the real file dialog, converts, and names its output.
TEST_F(SourceListFixture, JapaneseNameThroughTheFileDialogConverts) {
    ASSERT_EQ(::GetACP(), 65001u) << "the manifest's code page is in force";
    const std::string name =
        "\xE3\x83\x86\xE3\x82\xAF\xE3\x82\xB9\xE3\x83\x81\xE3\x83\xA3"; // texture
    const std::wstring wideFolder = Wide(folder.Path());
    HANDLE h = ::CreateFileW((wideFolder + L"\\\x30C6\x30AF\x30B9\x30C1\x30E3.tim").c_str(),
                             GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, "\x7F", 1, &written, nullptr);
    ::CloseHandle(h);

    Add({Type(folder.Path()), Type(name + ".tim")});
    ASSERT_EQ(dlg.Entries(), std::vector<std::string>({In(name + ".tim")}));

    dlg.SetDlgItemText(IDC_DESTINATION, folder.Path() + "\\out");
    dlg.SetDlgItemText(IDC_LABEL, "tex");
    ::CheckDlgButton(dlg.m_hWnd, IDC_FORMAT_C, BST_CHECKED);
    RecordedBoxes boxes;
    dlg.Click(IDC_CONVERT);
    EXPECT_TRUE(boxes.boxes.empty()) << (boxes.boxes.empty() ? "" : boxes.boxes[0].text);
    const std::wstring output = wideFolder + L"\\out\\\x30C6\x30AF\x30B9\x30C1\x30E3.c";
    h = ::CreateFileW(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                      nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "the output is named after the input";
    char text[512] = {};
    DWORD got = 0;
    ::ReadFile(h, text, sizeof(text) - 1, &got, nullptr);
    ::CloseHandle(h);
    EXPECT_NE(std::string(text, got).find("0x7f"), std::string::npos) << std::string(text, got);
}

} // namespace
