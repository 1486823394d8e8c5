#include "framework/Button.h"
#include "framework/ListBox.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"

namespace {

// An owner-drawn control answers its parent's WM_DRAWITEM itself; everything
// else a parent hands back goes the usual way.
template <class TControl>
BOOL DrawItemOrReflect(TControl& control, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* pResult) {
    if (message != WM_DRAWITEM)
        return control.CWnd::OnChildNotify(message, wParam, lParam, pResult);
    control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
}

} // namespace

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return DrawItemOrReflect(*this, message, wParam, lParam, pResult);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return DrawItemOrReflect(*this, message, wParam, lParam, pResult);
}

std::string CListBox::GetText(int nIndex) const {
    int length = GetTextLen(nIndex);
    if (length == LB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                              reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, std::string(), WS_POPUP | dwStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    GetSafeHwnd(pParentWnd), nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const std::string& text, LPCRECT lpRectTool,
                           UINT_PTR nIDTool) {
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE; // also understood by comctl32 before version 6
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    ti.rect = *lpRectTool;
    ti.lpszText = const_cast<char*>(text.c_str());
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(const std::string& text, CWnd* pWnd, UINT_PTR nIDTool) {
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    ti.lpszText = const_cast<char*>(text.c_str());
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}
