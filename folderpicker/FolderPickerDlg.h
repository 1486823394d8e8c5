// The output-folder picker: the platform's explorer-style file-open dialog
// turned into a folder chooser. Its file list shows folders only, a path field
// and an Open button lie over the platform's name field and OK button, and the
// platform's OK is left to change folders only.
#pragma once

#include "folderpicker/FolderPathEdit.h"
#include "framework/Button.h"
#include "framework/FileDialog.h"

// The dialog window while the picker is open: it takes the Open command and
// moves the dialog to a path.
class CFolderPickerHost : public CWnd {
  public:
    CFolderPickerHost() = default;
    ~CFolderPickerHost() override;

    // Shows the path in the dialog through its hidden OK button; the path field
    // then shows the dialog's folder, or keeps what was typed when that differs.
    void NavigateTo(const std::string& path);

  protected:
    afx_msg void OnOpen();
    DECLARE_MESSAGE_MAP()
};

class CFolderPickerDlg : public CFileDialog {
  public:
    // lpszInitialFolder must outlive DoModal: the platform reads it from there.
    // lpszFilter adds "description|pattern|" pairs after the folders-only entry.
    explicit CFolderPickerDlg(const char* lpszInitialFolder = nullptr,
                              const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    ~CFolderPickerDlg() override;

    // The folder shown last, with a trailing backslash, however the dialog closed;
    // the initial folder when the dialog never reported one.
    std::string GetFolder() const { return m_strFolder; }

  protected:
    BOOL OnFileNameOK() override;
    void OnInitDone() override;
    void OnFolderChange() override;

    std::string m_strFolder;
    // The platform's filter pointer points into it.
    std::string m_strFolderFilter;
    CFolderPickerHost m_wndHost;
    CFolderPathEdit m_editPath;
    CButton m_btnOpen;
};
