// Shared pieces of the About box tests: the dialog with its members in view,
// the About boxes open on this thread, and pixels read back from a window.
#pragma once

#include "about/AboutDlg.h"
#include "tests/win32/mainwindow/MainWindowSupport.h"

#include <memory>
#include <utility>
#include <string>
#include <vector>

class CProbeAbout : public CAboutDlg {
  public:
    using CAboutDlg::m_strDescription;
    using CAboutDlg::m_wndLink;
};

inline BOOL CALLBACK CollectAboutBox(HWND h, LPARAM lp) {
    char cls[32] = {};
    char title[64] = {};
    ::GetClassNameA(h, cls, sizeof(cls));
    ::GetWindowTextA(h, title, sizeof(title));
    if (::IsWindowVisible(h) && std::string(cls) == "#32770" &&
        std::string(title) == "About Tavrik")
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

// The visible About boxes of this thread.
inline std::vector<HWND> OpenAboutBoxes() {
    std::vector<HWND> boxes;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectAboutBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

inline void CloseAllAboutBoxes() {
    for (HWND h : OpenAboutBoxes())
        ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
}

// The client area of a window as it is painted on screen.
struct Pixels {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
    int Count(COLORREF colour) const {
        int n = 0;
        for (COLORREF c : px)
            n += c == colour;
        return n;
    }
};

inline Pixels ReadPixels(HWND hWnd) {
    ::UpdateWindow(hWnd);
    Pixels pixels;
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    pixels.w = rc.right;
    pixels.h = rc.bottom;
    if (pixels.w <= 0 || pixels.h <= 0)
        return pixels;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = pixels.w;
    bi.bmiHeader.biHeight = -pixels.h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC hdc = ::GetDC(hWnd);
    HDC mem = ::CreateCompatibleDC(hdc);
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, pixels.w, pixels.h, hdc, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < pixels.w * pixels.h; ++i)
        pixels.px.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(hWnd, hdc);
    return pixels;
}

// Which of the link's three colours a painting shows: the name of the one
// present, or a description of the mix.
inline std::string LinkColourShown(HWND hLabel) {
    const Pixels pixels = ReadPixels(hLabel);
    struct Named {
        const char* name;
        COLORREF colour;
    } const colours[] = {
        {"link", RGB(0, 0, 238)}, {"visited", RGB(85, 26, 139)}, {"hover", RGB(255, 92, 0)}};
    std::string shown;
    for (const Named& c : colours) {
        if (pixels.Count(c.colour) > 0)
            shown += shown.empty() ? c.name : std::string("+") + c.name;
    }
    return shown.empty() ? "none" : shown;
}

struct ToolInfo {
    bool found = false;
    std::string text;
    RECT rect{};
};

inline BOOL CALLBACK MatchLinkTool(HWND h, LPARAM lp) {
    auto* query = reinterpret_cast<std::pair<HWND, ToolInfo>*>(lp);
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof(cls));
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    char text[1024] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = query->first;
    ti.uId = 1;
    ti.lpszText = text;
    if (!::SendMessageA(h, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)))
        return TRUE;
    query->second.rect = ti.rect;
    ti.lpszText = text;
    ::SendMessageA(h, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
    query->second.text = text;
    query->second.found = true;
    return FALSE;
}

// Tool 1 of the label, in whichever tooltip window of this thread holds it.
inline ToolInfo LinkTool(HWND hLabel) {
    std::pair<HWND, ToolInfo> query{hLabel, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchLinkTool, reinterpret_cast<LPARAM>(&query));
    return query.second;
}

inline std::string ToolText(HWND hLabel) {
    ToolInfo tool = LinkTool(hLabel);
    return tool.found ? tool.text : "<no tool 1 on the label>";
}
