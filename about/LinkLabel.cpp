#include "about/LinkLabel.h"

#include "about/LinkLabelRules.h"

#include "framework/DC.h"

#include <shellapi.h>

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kLinkCursorId = 106;
constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

} // namespace

LONG ReadDefaultRegValue(HKEY hKeyRoot, const std::string& subKey, std::string& value) {
    HKEY hKey = nullptr;
    LONG status = ::RegOpenKeyExA(hKeyRoot, subKey.c_str(), 0, KEY_QUERY_VALUE, &hKey);
    if (status != ERROR_SUCCESS)
        return status;
    char data[MAX_PATH] = {};
    LONG size = sizeof(data);
    // A value that does not fit may leave a partial copy behind: use none of it.
    if (::RegQueryValueA(hKey, nullptr, data, &size) != ERROR_SUCCESS)
        data[0] = '\0';
    data[sizeof(data) - 1] = '\0';
    value = data;
    ::RegCloseKey(hKey);
    return ERROR_SUCCESS;
}

INT_PTR OpenLink(const std::string& target, int nShowCmd) {
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, nShowCmd));
    if (result > HINSTANCE_ERROR)
        return result;

    // The shell could not open it: start the program that opens web pages.
    std::string fileClass;
    if (ReadDefaultRegValue(HKEY_CLASSES_ROOT, ".htm", fileClass) != ERROR_SUCCESS ||
        fileClass.empty())
        return result;
    std::string registered;
    if (ReadDefaultRegValue(HKEY_CLASSES_ROOT, fileClass + "\\shell\\open\\command", registered) !=
        ERROR_SUCCESS)
        return result;
    std::optional<std::string> command = tavrik::linklabel::FallbackCommand(registered, target);
    if (!command)
        return result;
    return static_cast<INT_PTR>(::WinExec(command->c_str(), static_cast<UINT>(nShowCmd)));
}

CLinkLabel::CLinkLabel()
    : m_crLink(RGB(0, 0, 238)), m_crVisited(RGB(85, 26, 139)), m_crHover(RGB(255, 92, 0)),
      m_bHover(FALSE), m_bVisited(FALSE), m_bUnderline(TRUE), m_bFitToText(TRUE) {}

CLinkLabel::~CLinkLabel() {
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
    if (m_hLinkCursor != nullptr)
        ::DestroyCursor(m_hLinkCursor);
}

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CLinkLabel::PreSubclassWindow() {
    // A static control reports clicks only with SS_NOTIFY.
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | SS_NOTIFY);

    if (m_strLinkTarget.empty())
        m_strLinkTarget = GetWindowText();
    if (GetWindowText().empty())
        SetWindowText(m_strLinkTarget);

    // A control without a font of its own draws with the system font.
    HFONT hFont = GetFont();
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA lf{};
    if (::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf)) {
        lf.lfUnderline = static_cast<BYTE>(m_bUnderline);
        m_hFont = ::CreateFontIndirectA(&lf);
        if (m_hFont != nullptr)
            SetFont(m_hFont, TRUE);
    }

    FitToText();
    LoadLinkCursor();

    CRect rect;
    GetClientRect(&rect);
    if (m_toolTip.Create(this))
        m_toolTip.AddTool(this, m_strLinkTarget, &rect, kToolId);

    CStatic::PreSubclassWindow();
}

BOOL CLinkLabel::PreTranslateMessage(MSG* pMsg) {
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CLinkLabel::SetLinkTarget(const std::string& target) {
    m_strLinkTarget = target;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    FitToText();
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.UpdateTipText(target, this, kToolId);
}

void CLinkLabel::MarkVisited(BOOL bVisited) {
    m_bVisited = bVisited;
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        InvalidateRect(nullptr, TRUE);
}

void CLinkLabel::FitToText() {
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || !m_bFitToText)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);

    CSize extent;
    {
        CClientDC dc(this);
        HGDIOBJ hOldFont = m_hFont ? dc.SelectObject(m_hFont) : nullptr;
        extent = dc.GetTextExtent(GetWindowText());
        if (hOldFont != nullptr)
            dc.SelectObject(hOldFont);
    }

    tavrik::linklabel::Rect fitted = tavrik::linklabel::FitToText(
        {rect.left, rect.top, rect.right, rect.bottom}, GetStyle(), extent.cx, extent.cy);
    SetWindowPos(nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER);
}

void CLinkLabel::LoadLinkCursor() {
    if (m_hLinkCursor != nullptr)
        return;
    char directory[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(directory, sizeof(directory));
    if (length == 0 || length >= sizeof(directory))
        return;
    std::string path = std::string(directory) + "\\winhlp32.exe";
    HMODULE hModule = ::LoadLibraryA(path.c_str());
    if (hModule == nullptr)
        return;
    // The copy outlives the module it came from.
    if (HCURSOR hCursor = ::LoadCursorA(hModule, MAKEINTRESOURCEA(kLinkCursorId)))
        m_hLinkCursor = static_cast<HCURSOR>(::CopyIcon(hCursor));
    ::FreeLibrary(hModule);
}

void CLinkLabel::ShowOpenError(INT_PTR nResult) {
    AfxMessageBox(tavrik::linklabel::OpenErrorText(nResult), MB_OK | MB_ICONEXCLAMATION, 0);
}

void CLinkLabel::OnClicked() {
    // The capture stays: the next mouse move decides about hovering again.
    m_bHover = FALSE;
    INT_PTR result = OpenLink(m_strLinkTarget, SW_SHOW);
    m_bVisited = result > HINSTANCE_ERROR;
    if (!m_bVisited) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError(result);
    } else {
        MarkVisited(TRUE);
    }
}

HBRUSH CLinkLabel::CtlColor(CDC* pDC, UINT) {
    tavrik::linklabel::Colours colours{m_crLink, m_crVisited, m_crHover};
    pDC->SetTextColor(
        tavrik::linklabel::TextColour(colours, m_bHover != FALSE, m_bVisited != FALSE));
    pDC->SetBkMode(TRANSPARENT);
    // Hollow: the dialog's background shows through.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkLabel::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_hLinkCursor == nullptr)
        return FALSE;
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CLinkLabel::OnMouseMove(UINT nFlags, CPoint point) {
    CStatic::OnMouseMove(nFlags, point);
    if (m_bHover) {
        CRect rect;
        GetClientRect(&rect);
        if (rect.PtInRect(point))
            return;
        m_bHover = FALSE;
        ::ReleaseCapture();
        ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
    } else {
        // While captured, every later move arrives here, even from outside.
        m_bHover = TRUE;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
        SetCapture();
    }
}
