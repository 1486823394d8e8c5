#include "folderpicker/FolderPickerDlg.h"

#include "folderpicker/FolderPathRules.h"
#include "folderpicker/FolderServicesWin.h"
#include "res/resource.h"

#include <dlgs.h>

using namespace tavrik;

namespace {

// The platform's file-name field: the edit edt1 in some versions of the
// dialog, the combo box cmb13 in others.
int NameFieldId(const CWnd& dialog) {
    return ::GetDlgItem(dialog.m_hWnd, cmb13) != nullptr ? cmb13 : edt1;
}

CRect ClientRectOf(const CWnd& dialog, int nID) {
    CRect rect;
    if (HWND hWnd = ::GetDlgItem(dialog.m_hWnd, nID))
        ::GetWindowRect(hWnd, &rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

} // namespace

BEGIN_MESSAGE_MAP(CFolderPickerHost, CWnd)
ON_BN_CLICKED(IDC_FOLDER_OPEN, OnOpen)
END_MESSAGE_MAP()

CFolderPickerHost::~CFolderPickerHost() = default;

void CFolderPickerHost::NavigateTo(const std::string& path) {
    SetDlgItemText(NameFieldId(*this), path);
    HWND hEdit = ::GetDlgItem(m_hWnd, IDC_FOLDER_PATH);
    CWnd* pEdit = CWnd::FromHandle(hEdit);
    const std::string before = pEdit ? pEdit->GetWindowText() : std::string();
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));

    // The dialog acts on the click inside these calls, folder change included.
    HWND hOK = ::GetDlgItem(m_hWnd, IDOK);
    ::SendMessageA(hOK, WM_LBUTTONDOWN, 0, 0);
    ::SendMessageA(hOK, WM_LBUTTONUP, 0, 0);

    if (pEdit == nullptr || ::GetDlgItem(m_hWnd, IDC_FOLDER_PATH) != hEdit)
        return;
    const std::string after = pEdit->GetWindowText();
    if (KeepNavigatedText(before, after)) {
        ::SendMessageA(hEdit, EM_SETSEL, after.size(), -1);
    } else {
        pEdit->SetWindowText(before);
        ::SendMessageA(hEdit, EM_SETSEL, start, static_cast<LPARAM>(end));
    }
    ::SendMessageA(hEdit, EM_SCROLLCARET, 0, 0);
}

void CFolderPickerHost::OnOpen() {
    CWnd* pEdit = GetDlgItem(IDC_FOLDER_PATH);
    if (pEdit == nullptr)
        return;
    CPlatformFolderServices services;
    OpenDecision decision = DecideOpen(pEdit->GetWindowText(), services);
    if (decision.accept) {
        NavigateTo(decision.path);
        ::EndDialog(m_hWnd, IDOK);
        return;
    }
    pEdit->SetFocus();
}

CFolderPickerDlg::CFolderPickerDlg(const char* lpszInitialFolder, const char* lpszFilter,
                                   CWnd* pParentWnd)
    : CFileDialog(TRUE, nullptr, nullptr,
                  OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, pParentWnd),
      m_strFolder(lpszInitialFolder ? lpszInitialFolder : ""),
      m_strFolderFilter(FolderFilter(lpszFilter)) {
    m_ofn.lpstrFilter = m_strFolderFilter.c_str();
    m_ofn.lpstrInitialDir = lpszInitialFolder;
    m_ofn.lpstrTitle = "Select output folder";
}

CFolderPickerDlg::~CFolderPickerDlg() = default;

BOOL CFolderPickerDlg::OnFileNameOK() {
    // A file is never the answer: the platform's OK may only change folders.
    return TRUE;
}

void CFolderPickerDlg::OnInitDone() {
    CWnd* pDialog = GetDialogWindow();
    if (pDialog == nullptr)
        return;
    pDialog->SetDlgItemText(stc3, "Folder:");
    m_wndHost.SubclassWindow(pDialog->m_hWnd);

    const int nNameId = NameFieldId(m_wndHost);
    CWnd* pName = m_wndHost.GetDlgItem(nNameId);
    // Scrolls sideways, so that a path longer than the field can still be typed.
    m_editPath.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                      ClientRectOf(m_wndHost, nNameId), &m_wndHost, IDC_FOLDER_PATH);
    if (m_ofn.lpstrInitialDir != nullptr)
        m_editPath.SetWindowText(m_ofn.lpstrInitialDir);
    if (pName != nullptr)
        m_editPath.SetFont(pName->GetFont(), TRUE);
    m_editPath.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    // Right after the label in the z-order, which is also the tab order.
    m_editPath.SetWindowPos(m_wndHost.GetDlgItem(stc3), 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    CWnd* pOK = m_wndHost.GetDlgItem(IDOK);
    m_btnOpen.Create("Open", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                     ClientRectOf(m_wndHost, IDOK), &m_wndHost, IDC_FOLDER_OPEN);
    if (pOK != nullptr)
        m_btnOpen.SetFont(pOK->GetFont(), TRUE);
    m_btnOpen.SetWindowPos(&m_editPath, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (CWnd* pCancel = m_wndHost.GetDlgItem(IDCANCEL))
        pCancel->SetWindowPos(&m_btnOpen, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (pOK != nullptr)
        pOK->ModifyStyle(BS_DEFPUSHBUTTON, 0);
    m_wndHost.SendMessage(DM_SETDEFID, IDC_FOLDER_OPEN);

    HideControl(IDOK);
    HideControl(nNameId);
    CFileDialog::OnInitDone();
}

void CFolderPickerDlg::OnFolderChange() {
    m_strFolder = WithTrailingBackslash(GetFolderPath());
    // A folder change before the set-up only stores the result.
    if (m_editPath.m_hWnd == nullptr)
        return;
    m_editPath.SetWindowText(m_strFolder);
    const int length = static_cast<int>(m_strFolder.size());
    m_editPath.SetSel(length, length);
    m_editPath.SetFocus();
}
