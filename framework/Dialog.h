// CDialog: a window built from a dialog template of the resources, run modally
// by a message loop of our own or created modeless; and the data exchange
// between a dialog's fields and its controls.
#pragma once

#include "framework/Wnd.h"

class CDataExchange {
  public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to fields; FALSE: fields to controls
    CWnd* m_pDlgWnd;
    bool m_bFailed = false; // a control named in the exchange does not exist

    // The control's handle, or nullptr (and the exchange marked failed).
    HWND PrepareCtrl(int nIDC);
};

// Binds rControl to control nIDC at the first exchange only; binding runs the
// control's PreSubclassWindow.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// The radio group starts at nIDC and runs up to the next control with
// WS_GROUP. Saving gives the position of the checked button, or -1 when none
// is checked; loading checks the button at position value and unchecks the
// others, so a value that is no position leaves all unchecked.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

class CDialog : public CWnd {
  public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Runs the dialog until EndDialog; the owner is disabled meanwhile. A
    // template without WS_VISIBLE is shown when the loop first goes idle; each
    // time the loop goes idle it lets go of the stand-ins of destroyed windows
    // (CWnd::DeleteTempMap).
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    // Message loop of a modal dialog: every queued message goes first to the
    // PreTranslateMessage of its window and that window's parents up to the
    // dialog, whose own one hands keyboard and mouse input to the dialog manager.
    int RunModalLoop();

    // The window a modal dialog is owned by: the parent given, else the main
    // window; the top-level window of either, or its last active popup.
    HWND ModalOwner() const;

    DECLARE_MESSAGE_MAP()

  private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND hWndOwner);

    bool m_bContinueModal = false;
    bool m_bCenter = false;
    int m_nModalResult = -1;
};
