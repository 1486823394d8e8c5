// The main window: the source list, the output folder, the format, the label,
// the progress bar and the seven push buttons of dialog 102.
#pragma once

#include "mainwindow/FlatButton.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"
#include "framework/ProgressCtrl.h"

#include <shellapi.h>

#include <string>
#include <vector>

class CConverterDlg : public CDialog {
  public:
    CConverterDlg();
    ~CConverterDlg() override;

    // Saves the settings from the controls, then destroys the window.
    BOOL DestroyWindow() override;

    // Room for a multiple selection of thousands of files, in characters.
    static constexpr size_t kSelectionBufferSize = 256 * 1024;

    // Files to be in the list when the window opens (the program's command line),
    // joining it by the rules of Add... after the settings are loaded.
    // |unusable| counts the names that could not be passed on; the user is told.
    void SetStartFiles(std::vector<std::string> files, int unusable = 0) {
        m_startFiles = std::move(files);
        m_nUnusableStartFiles = unusable;
    }

    // The Delete key in the source list deletes as the Delete button does.
    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    CFlatButton m_btnDelete;
    CFlatButton m_btnClear;
    CFlatButton m_btnQuit;
    CProgressCtrl m_progress;
    CListBox m_lbSources;
    CFlatButton m_btnInfo;
    CFlatButton m_btnConvert;
    CFlatButton m_btnAdd;
    CFlatButton m_btnBrowse;
    std::string m_strLabel;
    int m_nFormat = -1;
    std::string m_strDestination;
    HICON m_hIcon;
    std::vector<std::string> m_startFiles;
    int m_nUnusableStartFiles = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void LoadSettings();
    void SaveSettings();

    // Adds paths by the list's rules (folders expanded, exact duplicates left out).
    void AddSources(const std::vector<std::string>& paths);
    // Keeps the sideways scroll at the widest entry; after every change of the list.
    void UpdateHorizontalExtent();

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnInfo();
    afx_msg void OnAdd();
    afx_msg void OnBrowse();
    afx_msg void OnConvert();
    afx_msg void OnClear();
    afx_msg void OnDelete();
    afx_msg void OnSourceDblClk();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    DECLARE_MESSAGE_MAP()
};
