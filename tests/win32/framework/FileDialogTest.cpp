#include "framework/FileDialog.h"
#include "tests/support/TestFiles.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A folder of the test's own with a few files.
struct Folder : testfiles::TempDir {
    const std::string& path = Path();
    Folder() {
        for (const char* name : {"first-file-name.tim", "second-file-name.tim"})
            File(name);
    }
};

// Runs its script at the first folder change and gives up after a while.
class CScriptedFileDialog : public CFileDialog {
  public:
    explicit CScriptedFileDialog(DWORD flags)
        : CFileDialog(TRUE, nullptr, nullptr, flags, "All files|*.*||") {}
    std::function<void(CScriptedFileDialog&)> m_script;
    int m_nInitDone = 0;
    int m_nFolderChanges = 0;
    std::string m_strFolder;
    bool m_bTimedOut = false;

    void TypeAndOpen(const std::string& text) {
        HWND hDlg = GetDialogWindow()->m_hWnd;
        ::SendMessageA(hDlg, CDM_SETCONTROLTEXT, ::GetDlgItem(hDlg, cmb13) ? cmb13 : edt1,
                       reinterpret_cast<LPARAM>(text.c_str()));
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    }

  protected:
    void OnInitDone() override {
        ++m_nInitDone;
        CFileDialog::OnInitDone();
        ::SetTimer(m_hWnd, 1, 10000, &CScriptedFileDialog::Watchdog);
    }
    void OnFolderChange() override {
        m_strFolder = GetFolderPath();
        if (m_nFolderChanges++ == 0 && m_script)
            m_script(*this);
    }
    static void CALLBACK Watchdog(HWND hWnd, UINT, UINT_PTR, DWORD) {
        if (auto* self = static_cast<CScriptedFileDialog*>(CWnd::FromHandlePermanent(hWnd))) {
            self->m_bTimedOut = true;
            ::PostMessageA(::GetParent(hWnd), WM_COMMAND, IDCANCEL, 0);
        }
    }
};

TEST(FileDialog, HookReportsTheFolderAndEndDialogCloses) {
    Folder folder;
    CScriptedFileDialog dlg(OFN_FILEMUSTEXIST);
    dlg.m_ofn.lpstrInitialDir = folder.path.c_str();
    dlg.m_script = [](CScriptedFileDialog& d) { d.EndDialog(IDCANCEL); };
    dlg.DoModal();
    EXPECT_FALSE(dlg.m_bTimedOut) << "EndDialog closed the dialog";
    EXPECT_EQ(dlg.m_nInitDone, 1);
    EXPECT_EQ(lstrcmpiA(dlg.m_strFolder.c_str(), folder.path.c_str()), 0) << dlg.m_strFolder;
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(FileDialog, MultipleSelectionComesBackAsFolderAndNames) {
    Folder folder;
    CScriptedFileDialog dlg(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    dlg.m_ofn.lpstrInitialDir = folder.path.c_str();
    dlg.m_script = [](CScriptedFileDialog& d) {
        d.TypeAndOpen("\"second-file-name.tim\" \"first-file-name.tim\"");
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::string buffer = dlg.GetFileBuffer();
    EXPECT_EQ(buffer, folder.path + '\0' + "second-file-name.tim" + '\0' + "first-file-name.tim");
}

} // namespace
