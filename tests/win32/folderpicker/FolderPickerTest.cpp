#include "tests/win32/folderpicker/PickerSupport.h"

#include <commctrl.h>

namespace {

struct FolderPickerTest : ::testing::Test {
    TempDir folder;
    RecordedBoxes boxes;
    Picker picker;
    std::string In(const std::string& name) const { return folder.Path() + "\\" + name; }
};

HWND NameField(HWND hDlg) {
    HWND h = ::GetDlgItem(hDlg, cmb13);
    return h ? h : ::GetDlgItem(hDlg, edt1);
}

CRect ClientRect(HWND hDlg, HWND h) {
    CRect rect;
    ::GetWindowRect(h, &rect);
    ::MapWindowPoints(HWND_DESKTOP, hDlg, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The file list of the dialog: the list view inside its shell view.
HWND FileList(HWND hDlg) {
    HWND hView = ::FindWindowExA(hDlg, nullptr, "SHELLDLL_DefView", nullptr);
    return hView ? ::FindWindowExA(hView, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
}

TEST_F(FolderPickerTest, ReplacesNameFieldAndOkAndListsFoldersOnly) {
    ::CreateDirectoryA(In("sub").c_str(), nullptr);
    folder.File("a.tim", "x");
    folder.File("b.txt", "x");
    CFolderPickerDlg dlg(folder.Path().c_str());
    std::string shownLast;
    RunPicker(dlg, {[&](Picker& p) {
                  HWND h = p.hDlg;
                  EXPECT_EQ(TextOf(h), "Select output folder");
                  EXPECT_EQ(TextOf(::GetDlgItem(h, stc3)), "Folder:");
                  EXPECT_EQ(LOWORD(::SendMessageA(h, DM_GETDEFID, 0, 0)), IDC_FOLDER_OPEN);
                  HWND hOK = ::GetDlgItem(h, IDOK);
                  EXPECT_FALSE(::IsWindowVisible(hOK));
                  EXPECT_FALSE(::GetWindowLongA(hOK, GWL_STYLE) & BS_DEFPUSHBUTTON);
                  EXPECT_FALSE(::IsWindowVisible(NameField(h)));
                  EXPECT_TRUE(::IsWindowVisible(p.Path()));
                  EXPECT_EQ(ClientRect(h, p.Path()), ClientRect(h, NameField(h)));
                  EXPECT_EQ(ClientRect(h, p.Open()), ClientRect(h, hOK));
                  EXPECT_EQ(TextOf(p.Open()), "Open");
                  EXPECT_TRUE(::GetWindowLongA(p.Open(), GWL_STYLE) & BS_DEFPUSHBUTTON);
                  // Tab order: label, path field, Open, Cancel.
                  EXPECT_EQ(::GetWindow(::GetDlgItem(h, stc3), GW_HWNDNEXT), p.Path());
                  EXPECT_EQ(::GetNextDlgTabItem(h, p.Path(), FALSE), p.Open());
                  EXPECT_EQ(::GetNextDlgTabItem(h, p.Open(), FALSE), ::GetDlgItem(h, IDCANCEL));
                  // The folder shown, with the caret after its trailing backslash.
                  EXPECT_TRUE(SameText(p.PathText(), folder.Path() + "\\")) << p.PathText();
                  EXPECT_EQ(::GetFocus(), p.Path());
                  DWORD start = 0, end = 0;
                  ::SendMessageA(p.Path(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                 reinterpret_cast<LPARAM>(&end));
                  EXPECT_EQ(start, p.PathText().size());
                  EXPECT_EQ(end, start);
                  // One filter entry, and of the folder's three entries only the folder.
                  HWND hFilter = ::GetDlgItem(h, cmb1);
                  EXPECT_EQ(::SendMessageA(hFilter, CB_GETCOUNT, 0, 0), 1);
                  char filter[64] = {};
                  ::SendMessageA(hFilter, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
                  EXPECT_STREQ(filter, "Show Folders Only");
                  HWND hList = FileList(h);
                  EXPECT_NE(hList, nullptr);
                  EXPECT_EQ(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0), 1);
                  shownLast = p.PathText();
                  p.Cancel();
                  return true;
              }},
              picker);
    EXPECT_EQ(dlg.GetFolder(), shownLast);
}

TEST_F(FolderPickerTest, OpenOnAMissingFolderAnsweredYesCreatesItAndCloses) {
    const std::string wanted = In("new\\deep");
    boxes.answers = {IDYES};
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg, {[&](Picker& p) {
                  p.SetPath(wanted + "\\");
                  p.ClickOpen();
                  return true;
              }},
              picker);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              wanted + "\nThis folder does not exist.\n\nDo you want to create it?");
    EXPECT_EQ(boxes.boxes[0].caption, "folderpicker_win32_test");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_NE(::GetFileAttributesA(wanted.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(SameText(dlg.GetFolder(), wanted + "\\")) << dlg.GetFolder();
}

TEST_F(FolderPickerTest, OpenRefusesFilesAndNoKeepsTheDialogOpen) {
    const std::string file = folder.File("a.tim", "x");
    boxes.answers = {IDNO};
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg,
              {[&](Picker& p) {
                   p.SetPath(file);
                   p.ClickOpen();
                   p.SetPath(In("missing"));
                   p.ClickOpen();
                   return true;
               },
               [&](Picker& p) {
                   EXPECT_TRUE(::IsWindowVisible(p.hDlg)) << "the dialog stays open";
                   EXPECT_EQ(::GetFocus(), p.Path());
                   EXPECT_EQ(p.PathText(), In("missing"));
                   p.Cancel();
                   return true;
               }},
              picker);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>(
                  {file + "\nThis is a file not a directory.",
                   In("missing") + "\nThis folder does not exist.\n\nDo you want to create it?"}));
    EXPECT_EQ(::GetFileAttributesA(In("missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(SameText(dlg.GetFolder(), folder.Path() + "\\")) << dlg.GetFolder();
}

TEST_F(FolderPickerTest, EnterShowsFoldersAndCreatesThemWithoutClosing) {
    ::CreateDirectoryA(In("sub").c_str(), nullptr);
    boxes.answers = {IDYES};
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg,
              {[&](Picker& p) {
                   p.SetPath(In("sub"));
                   p.Enter();
                   EXPECT_TRUE(SameText(p.PathText(), In("sub") + "\\")) << p.PathText();
                   EXPECT_TRUE(SameText(dlg.GetFolder(), In("sub") + "\\"));
                   p.SetPath(In("made\\"));
                   p.Enter();
                   return true;
               },
               [&](Picker& p) {
                   EXPECT_TRUE(::IsWindowVisible(p.hDlg)) << "Enter never closes the dialog";
                   EXPECT_TRUE(SameText(p.PathText(), In("made") + "\\")) << p.PathText();
                   p.Cancel();
                   return true;
               }},
              picker);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>({In("made") + "\nThis folder does not exist.\n\nDo you "
                                                     "want to create it?"}));
    // Cancelled: the folder shown last.
    EXPECT_TRUE(SameText(dlg.GetFolder(), In("made") + "\\")) << dlg.GetFolder();
}

TEST_F(FolderPickerTest, TypingCompletesAndShowsFolders) {
    ::CreateDirectoryA(In("subfolder").c_str(), nullptr);
    folder.File("sun.tim", "x"); // a file that begins alike
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg,
              {[&](Picker& p) {
                   p.SetPath(In("s"));
                   p.Char('u');
                   EXPECT_EQ(p.PathText(), In("subfolder"));
                   DWORD start = 0, end = 0;
                   ::SendMessageA(p.Path(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                  reinterpret_cast<LPARAM>(&end));
                   EXPECT_EQ(start, In("su").size());
                   EXPECT_EQ(end, In("subfolder").size());
                   // Accept the completion (End), then the backslash shows the folder.
                   ::SendMessageA(p.Path(), EM_SETSEL, end, end);
                   p.Char('\\');
                   return true;
               },
               [&](Picker& p) {
                   EXPECT_TRUE(SameText(dlg.GetFolder(), In("subfolder") + "\\"))
                       << dlg.GetFolder();
                   EXPECT_TRUE(SameText(p.PathText(), In("subfolder") + "\\")) << p.PathText();
                   p.Cancel();
                   return true;
               }},
              picker);
}

TEST_F(FolderPickerTest, LoneBackslashShowsTheRootAndDeleteShowsFolders) {
    ::CreateDirectoryA(In("sub").c_str(), nullptr);
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg, {[&](Picker& p) {
                  p.SetPath("");
                  p.Char('\\');
                  // The dialog went to the root, and the field shows what was typed.
                  const std::string root = dlg.GetFolder();
                  EXPECT_TRUE(root.size() == 3 && root.substr(1) == ":\\") << root;
                  EXPECT_EQ(p.PathText(), "\\");
                  p.Char('\\');
                  EXPECT_EQ(dlg.GetFolder(), root) << "two backslashes do nothing";

                  // Delete that leaves a folder's path with its backslash shows it.
                  const std::string typed = In("sub\\x");
                  p.SetPath(typed);
                  ::SendMessageA(p.Path(), EM_SETSEL, typed.size() - 1, typed.size() - 1);
                  ::SendMessageA(p.Path(), WM_KEYDOWN, VK_DELETE, 0);
                  EXPECT_TRUE(SameText(dlg.GetFolder(), In("sub") + "\\")) << dlg.GetFolder();
                  EXPECT_TRUE(SameText(p.PathText(), In("sub") + "\\")) << p.PathText();
                  p.Cancel();
                  return true;
              }},
              picker);
}

TEST_F(FolderPickerTest, PathFieldKeepsTabAndEscape) {
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg,
              {[&](Picker& p) {
                   EXPECT_TRUE(::SendMessageA(p.Path(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
                   p.SetPath("typed");
                   p.Char('\t');
                   EXPECT_EQ(::GetFocus(), p.Open());
                   EXPECT_EQ(p.PathText(), "typed");
                   // Escape through the dialog's own loop, as from the keyboard.
                   ::SetFocus(p.Path());
                   ::PostMessageA(p.Path(), WM_KEYDOWN, VK_ESCAPE, 1);
                   ::PostMessageA(p.Path(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
                   return true;
               },
               [&](Picker& p) {
                   EXPECT_TRUE(::IsWindowVisible(p.hDlg)) << "Escape in the field cancelled";
                   p.Cancel();
                   return true;
               }},
              picker);
}

TEST_F(FolderPickerTest, CreationFailureOnAFixedDisk) {
    folder.File("afile", "x");
    boxes.answers = {IDYES, IDYES};
    CFolderPickerDlg dlg(folder.Path().c_str());
    RunPicker(dlg, {[&](Picker& p) {
                  p.SetPath(In("afile\\new"));
                  p.ClickOpen();
                  p.SetPath(In("afile\\new"));
                  p.Enter();
                  EXPECT_TRUE(::IsWindowVisible(p.hDlg));
                  p.Cancel();
                  return true;
              }},
              picker);
    const std::string question =
        In("afile\\new") + "\nThis folder does not exist.\n\nDo you want to create it?";
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>(
                  {question, "You do not have permission\nto create this folder.", question,
                   "You do not have permission or\notherwise cannot create this folder."}));
}

} // namespace
