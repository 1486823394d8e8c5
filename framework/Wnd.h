// CWnd: one object per window handle. Windows of ours are subclassed with one
// window procedure that finds the object and routes each message through the
// class's message map; what no entry handles goes to DefWindowProc, which
// calls the window's original procedure.
#pragma once

#include "framework/Afx.h"
#include "framework/MessageMap.h"

#include <exception>

class CDC;
class CDataExchange;

class CWnd {
  public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    static HWND GetSafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

    // The object attached to a handle; for a window of no object of ours, a
    // temporary stand-in that holds only the handle. A stand-in stands for its
    // window until a message loop of ours goes idle after the window is gone.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Lets go of the stand-ins of destroyed windows, unless a window procedure,
    // dialog procedure or hook of ours is running (its caller may still hold
    // one). Message loops call it when they go idle.
    static void DeleteTempMap();
    // How many stand-ins are alive, for checking that they do not pile up.
    static size_t GetTempMapSize();

    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Attaches and routes the window's messages through this object; runs
    // PreSubclassWindow before the window procedure is replaced.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // Our procedure takes over once the window exists: WM_NCCREATE and WM_CREATE
    // reach only the window's own procedure.
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const std::string& windowName,
                  DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                  HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL Create(const char* lpszClassName, const std::string& windowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A parent hands a control's notifications, owner-draw requests and colour
    // queries here first; TRUE means the control answered them.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Default processing of the message being handled.
    LRESULT Default();

    // Gives pMsg to the PreTranslateMessage of its target window and of each
    // parent up to hWndStop; TRUE when one of them took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Window operations.
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const;
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    std::string GetDlgItemText(int nID) const;
    void SetDlgItemText(int nID, const std::string& text);
    UINT IsDlgButtonChecked(int nIDButton) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) {
        ::InvalidateRect(m_hWnd, lpRect, bErase);
    }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    CWnd* SetCapture();
    CWnd* SetFocus();

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
    // nFlags, when not 0, are SetWindowPos flags for a frame update.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HFONT GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    // Centres over the owner when it is visible, otherwise on the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // A box owned by this window; without a caption it carries the application name.
    int MessageBox(const std::string& text);
    int MessageBox(const std::string& text, const std::string& caption, UINT nType = MB_OK);

  protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual void PreSubclassWindow();
    // Called after the window is gone and the object detached.
    virtual void PostNcDestroy();

    // Runs the first entry of the class's map (or its bases') for this message.
    BOOL DispatchMapEntry(UINT nMessage, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);

    // Handlers whose default is the default processing.
    afx_msg void OnPaint() { Default(); }
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
    afx_msg void OnCaptureChanged(CWnd*) { Default(); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnSysColorChange() { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }

    WNDPROC m_pfnSuper = nullptr; // the window's procedure before we subclassed it

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Marks a callback of ours as running for as long as it lives (see DeleteTempMap).
class AfxCallbackScope {
  public:
    AfxCallbackScope();
    ~AfxCallbackScope();
    AfxCallbackScope(const AfxCallbackScope&) = delete;
    AfxCallbackScope& operator=(const AfxCallbackScope&) = delete;
};

// Tells the user, in a box of the application, that an action failed on an
// exception nothing handled, and writes it to the debugger output.
void AfxReportException(std::exception_ptr error) noexcept;

// The body of every callback the platform calls (window and dialog procedures,
// hooks). No C++ exception may unwind through the platform's frames, which
// cannot pass it on: one is reported here, and the callback answers failed().
template <class Body, class Failed>
auto AfxGuardCallback(Body&& body, Failed&& failed) -> decltype(body()) {
    AfxCallbackScope scope;
    try {
        return body();
    } catch (...) {
        AfxReportException(std::current_exception());
        return failed();
    }
}
