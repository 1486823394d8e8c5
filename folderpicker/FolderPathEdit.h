// The folder picker's path field: keeps every key for itself, Tab goes to Open,
// Enter shows the typed folder (creating it when asked) without closing the
// dialog, and typing shows existing folders at once and completes folder names.
#pragma once

#include "framework/Edit.h"

class CFolderPickerHost;

class CFolderPathEdit : public CEdit {
  public:
    CFolderPathEdit() = default;
    ~CFolderPathEdit() override;

  protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

  private:
    CFolderPickerHost* GetHost() const;
    void OnEnter();
    void NavigateTo(const std::string& path);
};
