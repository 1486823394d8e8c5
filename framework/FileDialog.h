// CFileDialog: the platform's explorer-style open and save dialogs. A hook is
// always installed; its notifications arrive at the overridables below, with
// this object attached to the hook's child window (the dialog window is its parent).
#pragma once

#include "framework/Dialog.h"

#include <commdlg.h>

#include <vector>

class CFileDialog : public CDialog {
  public:
    // lpszFilter is "description|patterns|...|" ending with "||"; each "|"
    // becomes the platform's NUL separator.
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    OPENFILENAMEA m_ofn{};

    // Leaves the process's current folder as it found it.
    INT_PTR DoModal() override;

    // Room for the returned selection, in characters (260 unless set).
    void SetFileBufferSize(size_t nChars);
    // The selection as the platform returned it: one full path, or the folder
    // followed by the file names, each ended by a NUL (the closing NUL left out).
    std::string GetFileBuffer() const;
    // CommDlgExtendedError() of the last DoModal that did not end with OK;
    // FNERR_BUFFERTOOSMALL tells that the selection did not fit.
    DWORD GetExtendedError() const { return m_dwError; }

    // While the dialog is open.
    CWnd* GetDialogWindow() const { return GetParent(); }
    std::string GetFolderPath() const;
    void HideControl(int nID);
    // Ends the platform dialog (the parent of the hook window).
    void EndDialog(int nResult);

  protected:
    // TRUE refuses the file name and keeps the dialog open.
    virtual BOOL OnFileNameOK() { return FALSE; }
    // Centres the dialog window.
    virtual void OnInitDone();
    virtual void OnFolderChange() {}

    BOOL m_bOpenFileDialog;

  private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT_PTR HandleHookMessage(HWND hWnd, UINT message, LPARAM lParam);

    std::string m_strDefExt;
    std::string m_strFilter;
    std::vector<char> m_fileBuffer;
    DWORD m_dwError = 0;
};
