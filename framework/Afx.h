// Shared basics of the framework: platform headers, small geometry types, the
// application name and the one function through which every message box goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

class CWnd;
class CWinApp;

// Command that F1 sends to the main window.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

#define afx_msg

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int ix, int iy) : POINT{ix, iy} {}
    CPoint(POINT pt) : POINT(pt) {}
    // Mouse messages pack signed client coordinates into lParam.
    explicit CPoint(LPARAM lParam)
        : POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))} {}
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(int icx, int icy) : SIZE{icx, icy} {}
    CSize(SIZE sz) : SIZE(sz) {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    bool PtInRect(POINT pt) const { return ::PtInRect(this, pt) != FALSE; }
    bool operator==(const RECT& o) const { return ::EqualRect(this, &o) != FALSE; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

// The application name: the executable's file name without its extension.
std::string AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// Every message box of the program goes through AfxShowMessageBox. A test may
// install a responder, which then answers instead of a real box; an empty
// responder restores the real boxes.
using AfxMessageBoxResponder = std::function<int(HWND hOwner, const std::string& text,
                                                 const std::string& caption, UINT nType)>;
void AfxSetMessageBoxResponder(AfxMessageBoxResponder responder);
int AfxShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption, UINT nType);

// A box owned by the main window's active popup, captioned with the application
// name; a type that names no icon gets the exclamation icon.
int AfxMessageBox(std::string text, UINT nType = MB_OK, UINT nIDHelp = 0);
