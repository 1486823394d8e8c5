#include "framework/DC.h"

#include "framework/FrameRuns.h"
#include "framework/Wnd.h"

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF cr) {
    COLORREF old = ::SetBkColor(m_hDC, cr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF cr) {
    RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, cr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, crTopLeft, crBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight) {
    for (const tavrik::FrameRun& run : tavrik::FrameRuns(x, y, cx, cy))
        FillSolidRect(run.x, run.y, run.cx, run.cy, run.topLeft ? crTopLeft : crBottomRight);
}

int CDC::DrawText(const std::string& text, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, text.c_str(), static_cast<int>(text.size()), lpRect, nFormat);
}

BOOL CDC::DrawState(POINT pt, SIZE size, const std::string& text, UINT nFlags, HBRUSH hBrush) {
    // DST_TEXT and DST_PREFIXTEXT take the text itself and its length.
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(text.c_str()),
                        static_cast<WPARAM>(text.size()), pt.x, pt.y, size.cx, size.cy, nFlags);
}

CSize CDC::GetTextExtent(const std::string& text) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text.c_str(), static_cast<int>(text.size()), &size);
    return CSize(size);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Release();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, m_hDC);
    Release();
}
