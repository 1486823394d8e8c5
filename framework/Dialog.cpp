#include "framework/Dialog.h"

#include "framework/WinApp.h"

#include <cstring>

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWnd == nullptr)
        m_bFailed = true;
    return hWnd;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr || !rControl.SubclassWindow(hWnd))
        pDX->m_bFailed = true;
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = CWnd::FromHandle(hWnd)->GetWindowText();
    else
        ::SetWindowTextA(hWnd, value.c_str());
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int position = 0;
    do {
        if (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = position;
            } else {
                ::SendMessageA(hWnd, BM_SETCHECK, position == value ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
            ++position;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP));
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// Where a template asks to be placed, and whether the system centres it itself.
struct TemplatePlacement {
    short x = 0;
    short y = 0;
    DWORD style = 0;
};

TemplatePlacement ReadPlacement(const void* pTemplate) {
    TemplatePlacement placement;
    const auto* bytes = static_cast<const unsigned char*>(pTemplate);
    WORD version = 0;
    WORD signature = 0;
    std::memcpy(&version, bytes, 2);
    std::memcpy(&signature, bytes + 2, 2);
    if (version == 1 && signature == 0xFFFF) {
        // DLGTEMPLATEEX: version, signature, helpID, exStyle, style, cDlgItems, x, y
        std::memcpy(&placement.style, bytes + 12, 4);
        std::memcpy(&placement.x, bytes + 18, 2);
        std::memcpy(&placement.y, bytes + 20, 2);
    } else {
        // DLGTEMPLATE: style, exStyle, cdit, x, y
        std::memcpy(&placement.style, bytes, 4);
        std::memcpy(&placement.x, bytes + 10, 2);
        std::memcpy(&placement.y, bytes + 12, 2);
    }
    return placement;
}

} // namespace

HWND CDialog::CreateFromTemplate(HWND hWndOwner) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(5));
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hGlobal = ::LoadResource(hInst, hResource);
    const void* pTemplate = hGlobal ? ::LockResource(hGlobal) : nullptr;
    if (pTemplate == nullptr)
        return nullptr;
    TemplatePlacement placement = ReadPlacement(pTemplate);
    // A template placed at the origin without DS_CENTER is centred when it opens.
    m_bCenter = placement.x == 0 && placement.y == 0 && !(placement.style & DS_CENTER) &&
                !(placement.style & WS_CHILD);
    return ::CreateDialogIndirectParamA(hInst, static_cast<LPCDLGTEMPLATEA>(pTemplate), hWndOwner,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = reinterpret_cast<CDialog*>(lParam);
    return AfxGuardCallback(
        [&]() -> INT_PTR {
            if (!pDialog->SubclassWindow(hWnd))
                return TRUE;
            BOOL result = pDialog->OnInitDialog();
            if (pDialog->m_bCenter && pDialog->m_hWnd != nullptr)
                pDialog->CenterWindow();
            return result;
        },
        // The system then gives the focus to the first control, as for a plain dialog.
        []() -> INT_PTR { return TRUE; });
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(GetSafeHwnd(pParentWnd)) != nullptr;
}

HWND CDialog::ModalOwner() const {
    HWND hWnd = GetSafeHwnd(m_pParentWnd);
    if (hWnd == nullptr) {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != this)
            hWnd = GetSafeHwnd(pMainWnd);
    }
    if (hWnd == nullptr)
        return nullptr;
    // A dialog is owned by a top-level window, and by its last active popup
    // when one is open.
    hWnd = ::GetAncestor(hWnd, GA_ROOT);
    return ::GetLastActivePopup(hWnd);
}

INT_PTR CDialog::DoModal() {
    HWND hWndOwner = ModalOwner();
    bool bEnableOwner = false;
    if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = true;
    }

    m_nModalResult = -1;
    m_bContinueModal = true;
    if (CreateFromTemplate(hWndOwner) != nullptr && m_bContinueModal)
        RunModalLoop();
    m_bContinueModal = false;

    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    return m_nModalResult;
}

int CDialog::RunModalLoop() {
    // A template without WS_VISIBLE comes up hidden; like the system's own modal
    // dialogs, it is shown once its first messages are handled, so that the user
    // never faces a disabled owner and nothing to answer.
    bool bShowOnIdle = m_hWnd != nullptr && !(GetStyle() & WS_VISIBLE);
    MSG msg;
    while (m_bContinueModal) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            CWnd::DeleteTempMap();
            if (bShowOnIdle) {
                bShowOnIdle = false;
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                continue;
            }
        }
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends the dialog and goes on to the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = IDABORT;
            break;
        }
        if (got == -1)
            break;
        bool taken = WalkPreTranslateTree(m_hWnd, &msg);
        // Messages of windows outside the dialog still meet the dialog's own
        // PreTranslateMessage, which the walk did not reach.
        if (!taken && m_hWnd != nullptr && msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))
            taken = PreTranslateMessage(&msg);
        if (!taken) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = false;
        // Wakes the loop should the call come from outside a dispatched message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && ::GetKeyState(VK_SHIFT) >= 0 &&
        ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0) {
        // F1 asks the main window for help, from any of our dialogs.
        CWnd* pTarget = AfxGetMainWnd();
        if (pTarget == nullptr || pTarget->m_hWnd == nullptr)
            pTarget = this;
        pTarget->SendMessage(WM_COMMAND, ID_HELP, 0);
        return TRUE;
    }
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!input || m_hWnd == nullptr)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
