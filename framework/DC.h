// CDC: a device context and the drawing calls our windows use. A plain CDC
// does not own its handle; CPaintDC and CClientDC release theirs.
#pragma once

#include "framework/Afx.h"

class CWnd;

class CDC {
  public:
    CDC() = default;
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetBkColor(COLORREF cr) { return ::SetBkColor(m_hDC, cr); }
    COLORREF SetTextColor(COLORREF cr) { return ::SetTextColor(m_hDC, cr); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }

    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    // Fills with a colour without a brush; the background colour is left as it was.
    void FillSolidRect(LPCRECT lpRect, COLORREF cr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF cr);
    // A one-pixel frame: the top row (x .. x+cx-2) and the left column
    // (y .. y+cy-2) in crTopLeft; the right column (x+cx-1, y .. y+cy-1) and the
    // bottom row (y+cy-1, x .. x+cx-1) in crBottomRight, which so also takes
    // the top-right and bottom-left corners (the runs of tavrik::FrameRuns).
    void Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight);
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    int DrawText(const std::string& text, LPRECT lpRect, UINT nFormat);
    BOOL DrawState(POINT pt, SIZE size, const std::string& text, UINT nFlags,
                   HBRUSH hBrush = nullptr);
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    CSize GetTextExtent(const std::string& text) const;

  protected:
    void Release() { m_hDC = nullptr; }
};

class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

  private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

  private:
    HWND m_hWnd;
};
