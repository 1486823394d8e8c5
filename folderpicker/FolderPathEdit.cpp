#include "folderpicker/FolderPathEdit.h"

#include "folderpicker/FolderPickerDlg.h"
#include "folderpicker/FolderServicesWin.h"
#include "res/resource.h"

using namespace tavrik;

BEGIN_MESSAGE_MAP(CFolderPathEdit, CEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CFolderPathEdit::~CFolderPathEdit() = default;

CFolderPickerHost* CFolderPathEdit::GetHost() const {
    return dynamic_cast<CFolderPickerHost*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CFolderPathEdit::NavigateTo(const std::string& path) {
    if (CFolderPickerHost* pHost = GetHost())
        pHost->NavigateTo(path);
}

UINT CFolderPathEdit::OnGetDlgCode() {
    // Tab, Enter and Escape too: the dialog must not move the focus, press the
    // default button or cancel while the path is being typed.
    return static_cast<UINT>(Default()) | DLGC_WANTALLKEYS;
}

void CFolderPathEdit::OnChar(UINT nChar, UINT, UINT) {
    if (nChar == '\t') {
        if (HWND hOpen = ::GetDlgItem(::GetParent(m_hWnd), IDC_FOLDER_OPEN))
            ::SetFocus(hOpen);
        return;
    }
    if (nChar == '\r' || nChar == '\n') {
        OnEnter();
        return;
    }

    Default();
    const std::string text = GetWindowText();
    int start = 0;
    int end = 0;
    GetSel(start, end);
    CPlatformFolderServices services;
    TypedResult result = AfterTypedCharacter(nChar, text, start, end, services);
    switch (result.action) {
    case TypedResult::Action::Navigate:
        NavigateTo(text);
        break;
    case TypedResult::Action::Complete:
        SetWindowText(result.completion.text);
        SetSel(result.completion.selStart, result.completion.selEnd);
        break;
    case TypedResult::Action::Nothing:
        break;
    }
    SetFocus();
}

void CFolderPathEdit::OnKeyDown(UINT nChar, UINT, UINT) {
    Default();
    if (nChar != VK_DELETE)
        return;
    const std::string text = GetWindowText();
    CPlatformFolderServices services;
    if (CheckTypedPath(text, services) == LiveCheck::Navigate)
        NavigateTo(text);
    SetFocus();
}

void CFolderPathEdit::OnEnter() {
    CPlatformFolderServices services;
    EnterDecision decision = DecideEnter(GetWindowText(), services);
    switch (decision.action) {
    case EnterDecision::Action::Nothing:
        return;
    case EnterDecision::Action::Navigate:
        NavigateTo(decision.path);
        break;
    case EnterDecision::Action::NavigateAndFinish: {
        NavigateTo(decision.path);
        std::string text = GetWindowText();
        if (text.empty() || text.back() != '\\') {
            text += '\\';
            SetWindowText(text);
        }
        SetSel(static_cast<int>(text.size()), -1);
        break;
    }
    }
    SetFocus();
}
