#include "framework/Wnd.h"

#include "framework/DC.h"
#include "framework/Dialog.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

std::unordered_map<HWND, CWnd*>& PermanentMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// Stand-ins of destroyed windows, kept for reuse rather than freed: a caller
// may still hold one, and must then read a handle, never freed memory.
std::vector<std::unique_ptr<CWnd>>& SpareStandIns() {
    static std::vector<std::unique_ptr<CWnd>> spares;
    return spares;
}

// The message the window procedure is handling, for Default().
thread_local MSG g_currentMsg{};

// Platform callbacks of ours on the stack: while one runs, its caller may hold
// a stand-in from FromHandle.
thread_local int g_nCallbackDepth = 0;

const AFX_MSGMAP_ENTRY g_noEntries[] = {{0, 0, 0, nullptr}};
const AFX_MSGMAP g_wndMessageMap = {nullptr, g_noEntries};

bool IsCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, nIndex));
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, nIndex, static_cast<LONG>(newStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

AfxCallbackScope::AfxCallbackScope() {
    ++g_nCallbackDepth;
}

AfxCallbackScope::~AfxCallbackScope() {
    --g_nCallbackDepth;
}

void AfxReportException(std::exception_ptr error) noexcept {
    try {
        std::string what = "unknown error";
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        const std::string text = "An internal error stopped this action:\n\n" + what;
        ::OutputDebugStringA((text + "\n").c_str());
        // The box runs a message loop that may meet the same failure again; one
        // box at a time, the rest go to the debugger only.
        static bool s_bReporting = false;
        if (s_bReporting)
            return;
        s_bReporting = true;
        struct Reset {
            ~Reset() { s_bReporting = false; }
        } reset;
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    } catch (...) {
        ::OutputDebugStringA("An internal error could not be reported.\n");
    }
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    MSG saved = g_currentMsg;
    g_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = AfxGuardCallback([&] { return pWnd->WindowProc(message, wParam, lParam); },
                                      [&]() -> LRESULT {
                                          // Else the system asks for the failed paint again
                                          // and again.
                                          if (message == WM_PAINT)
                                              ::ValidateRect(hWnd, nullptr);
                                          return 0;
                                      });
    g_currentMsg = saved;

    if (message == WM_NCDESTROY) {
        // The window is gone: give it its own procedure back and let go of it.
        if (pWnd->m_pfnSuper != nullptr &&
            reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == AfxWndProc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        AfxGuardCallback([&] { pWnd->PostNcDestroy(); }, [] {});
    }
    return result;
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // A window that outlives its object would call into freed memory.
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr) {
            UnsubclassWindow();
            Detach();
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& map = PermanentMap();
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    auto& temps = TemporaryMap();
    auto& slot = temps[hWnd];
    if (!slot) {
        auto& spares = SpareStandIns();
        if (spares.empty()) {
            slot = std::make_unique<CWnd>();
        } else {
            slot = std::move(spares.back());
            spares.pop_back();
        }
        // Not in the permanent map: a stand-in only carries the handle.
        slot->m_hWnd = hWnd;
    }
    return slot.get();
}

void CWnd::DeleteTempMap() {
    if (g_nCallbackDepth != 0)
        return;
    auto& map = TemporaryMap();
    for (auto it = map.begin(); it != map.end();) {
        if (::IsWindow(it->first)) {
            ++it;
            continue;
        }
        it->second->m_hWnd = nullptr;
        SpareStandIns().push_back(std::move(it->second));
        it = map.erase(it);
    }
}

size_t CWnd::GetTempMapSize() {
    return TemporaryMap().size();
}

BOOL CWnd::Attach(HWND hWnd) {
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    PermanentMap()[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        auto& map = PermanentMap();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old == nullptr) {
        Detach();
        return FALSE;
    }
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const std::string& windowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam) {
    if (m_hWnd != nullptr)
        return FALSE;
    HWND hWnd =
        ::CreateWindowExA(dwExStyle, lpszClassName, windowName.c_str(), dwStyle, x, y, nWidth,
                          nHeight, hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    if (hWnd == nullptr)
        return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::Create(const char* lpszClassName, const std::string& windowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, windowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, GetSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return &g_wndMessageMap;
}
const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    return &g_wndMessageMap;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(g_currentMsg.message, g_currentMsg.wParam, g_currentMsg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::DispatchMapEntry(UINT nMessage, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam,
                            LRESULT* pResult) {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && e->nID == nID) {
                LRESULT result = 0;
                if (e->pfn(this, wParam, lParam, result)) {
                    *pResult = result;
                    return TRUE;
                }
                return FALSE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND)
        return DispatchMapEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0, wParam, lParam,
                                pResult);
    if (IsCtlColor(message))
        // The reflected handler gets the device context and the CTLCOLOR_* kind.
        return DispatchMapEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, wParam,
                                static_cast<LPARAM>(message - WM_CTLCOLORMSGBOX), pResult);
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_COMMAND: {
        HWND hWndControl = reinterpret_cast<HWND>(lParam);
        if (hWndControl != nullptr) {
            if (ReflectToChild(hWndControl, message, wParam, lParam, pResult))
                return TRUE;
            return DispatchMapEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), wParam, lParam,
                                    pResult);
        }
        // Menus and accelerators: a plain command.
        return DispatchMapEntry(WM_COMMAND, 0, LOWORD(wParam), wParam, lParam, pResult);
    }
    case WM_DRAWITEM: {
        auto* pDIS = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (pDIS->CtlType != ODT_MENU &&
            ReflectToChild(pDIS->hwndItem, message, wParam, lParam, pResult))
            return TRUE;
        break;
    }
    default:
        if (IsCtlColor(message) &&
            ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult))
            return TRUE;
        break;
    }
    return DispatchMapEntry(message, 0, 0, wParam, lParam, pResult);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

std::string CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::SetWindowText(const std::string& text) {
    ::SetWindowTextA(m_hWnd, text.c_str());
}

std::string CWnd::GetDlgItemText(int nID) const {
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    return hWnd ? FromHandle(hWnd)->GetWindowText() : std::string();
}

void CWnd::SetDlgItemText(int nID, const std::string& text) {
    ::SetDlgItemTextA(m_hWnd, nID, text.c_str());
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, GetSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    HWND hWndCenter = pAlternateOwner           ? pAlternateOwner->m_hWnd
                      : (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd)
                                                : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcArea;
    RECT rcCenter;
    HMONITOR hMonitor =
        ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(::GetParent(m_hWnd), &rcArea);
        rcCenter = rcArea;
    } else if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
        ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        rcCenter = rcArea;
    }
    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    int width = rcDlg.right - rcDlg.left;
    int height = rcDlg.bottom - rcDlg.top;
    int left = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int top = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    // Keep the window inside the area it is centred in.
    if (left + width > rcArea.right)
        left = rcArea.right - width;
    if (left < rcArea.left)
        left = rcArea.left;
    if (top + height > rcArea.bottom)
        top = rcArea.bottom - height;
    if (top < rcArea.top)
        top = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(const std::string& text) {
    return AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType) {
    return AfxShowMessageBox(m_hWnd, text, caption, nType);
}
