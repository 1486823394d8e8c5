// The main window: the source list, the output folder, the format, the label,
// the progress bar and the seven push buttons of dialog 102.
#pragma once

#include "FlatButton.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"
#include "framework/ProgressCtrl.h"

class CConverterDlg : public CDialog {
  public:
    CConverterDlg();
    ~CConverterDlg() override;

    // Saves the settings from the controls, then destroys the window.
    BOOL DestroyWindow() override;

    // Room for a multiple selection of thousands of files, in characters.
    static constexpr size_t kSelectionBufferSize = 256 * 1024;

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

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void LoadSettings();
    void SaveSettings();

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnInfo();
    afx_msg void OnAdd();
    afx_msg void OnConvert();
    afx_msg void OnClear();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()
};
