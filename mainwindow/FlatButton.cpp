#include "mainwindow/FlatButton.h"

#include "mainwindow/FlatButtonGeometry.h"
#include "framework/DC.h"

namespace {

tavrik::flatbutton::Box ToBox(const RECT& rc) {
    return {rc.left, rc.top, rc.right, rc.bottom};
}
CRect ToRect(const tavrik::flatbutton::Box& b) {
    return CRect(b.left, b.top, b.right, b.bottom);
}

} // namespace

BEGIN_MESSAGE_MAP(CFlatButton, CButton)
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CFlatButton::CFlatButton()
    : m_crFace(::GetSysColor(COLOR_BTNFACE)), m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_crHotFace(::GetSysColor(COLOR_BTNFACE)), m_crHotText(::GetSysColor(COLOR_BTNTEXT)) {}

CFlatButton::~CFlatButton() = default;

void CFlatButton::PreSubclassWindow() {
    // Owner drawing for a push button and a default push button alike.
    SendMessage(BM_SETSTYLE, (GetStyle() & 0xFF) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

BOOL CFlatButton::PreTranslateMessage(MSG* pMsg) {
    if (m_wndTip.m_hWnd == nullptr && m_wndTip.Create(this)) {
        m_wndTip.Activate(FALSE);
    }
    if (m_wndTip.m_hWnd != nullptr) {
        m_wndTip.RelayEvent(pMsg);
    }
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CFlatButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A quick second click is a second press, so it clicks again.
    if (message == WM_LBUTTONDBLCLK) {
        message = WM_LBUTTONDOWN;
    }
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CFlatButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC dc(lpDrawItemStruct->hDC);
    const CRect item(lpDrawItemStruct->rcItem);
    const UINT state = lpDrawItemStruct->itemState;
    const bool pressed = (state & ODS_SELECTED) != 0;

    dc.SetBkMode(TRANSPARENT);

    const tavrik::flatbutton::Look look = tavrik::flatbutton::LookFor(
        {m_crFace, m_crText, m_crHotFace, m_crHotText}, IsHot(), pressed);
    HBRUSH hFace = ::CreateSolidBrush(look.face);
    dc.FillRect(&item, hFace);
    ::DeleteObject(hFace);

    if (look.edge != tavrik::flatbutton::Edge::None) {
        const tavrik::flatbutton::FrameColours frame = tavrik::flatbutton::FrameColoursFor(
            look.edge, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        dc.Draw3dRect(&item, frame.topLeft, frame.bottomRight);
    }

    const std::string caption = GetWindowText();
    if (!caption.empty()) {
        const tavrik::flatbutton::Box captionBox =
            tavrik::flatbutton::CaptionBox(ToBox(item), pressed);
        dc.SetTextColor(look.text);
        dc.SetBkColor(look.face);
        CRect measured = ToRect(captionBox);
        dc.DrawText(caption, &measured, DT_CALCRECT | DT_SINGLELINE);
        const CRect text = ToRect(tavrik::flatbutton::Centre(captionBox, ToBox(measured)));
        dc.SetBkMode(TRANSPARENT);
        dc.DrawState(text.TopLeft(), text.Size(), caption,
                     DST_PREFIXTEXT | ((state & ODS_DISABLED) ? DSS_DISABLED : 0));
    }

    if (state & ODS_FOCUS) {
        const CRect focus = ToRect(tavrik::flatbutton::FocusBox(ToBox(item)));
        dc.DrawFocusRect(&focus);
    }
}

void CFlatButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);

    const bool hasCapture = ::GetCapture() == m_hWnd;
    if (!hasCapture && ::GetParent(m_hWnd) == nullptr) {
        return;
    }
    tavrik::flatbutton::Under under = tavrik::flatbutton::Under::Self;
    if (hasCapture) {
        CPoint screen = point;
        ClientToScreen(&screen);
        const HWND hUnder = ::WindowFromPoint(screen);
        under = hUnder == nullptr  ? tavrik::flatbutton::Under::None
                : hUnder == m_hWnd ? tavrik::flatbutton::Under::Self
                                   : tavrik::flatbutton::Under::Other;
    }
    const tavrik::flatbutton::TrackResult r =
        tavrik::flatbutton::TrackMouseMove((nFlags & MK_LBUTTON) != 0, IsHot(), hasCapture, under);
    m_bHot = r.hot ? TRUE : FALSE;
    if (r.capture == tavrik::flatbutton::CaptureAction::Take) {
        SetCapture();
    }
    if (r.invalidate) {
        Invalidate(TRUE);
    }
    if (r.capture == tavrik::flatbutton::CaptureAction::Release) {
        ::ReleaseCapture();
    }
}

void CFlatButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    const tavrik::flatbutton::TrackResult r = tavrik::flatbutton::TrackKillFocus(IsHot());
    m_bHot = r.hot ? TRUE : FALSE;
    if (r.invalidate) {
        Invalidate(TRUE);
    }
}

void CFlatButton::OnCaptureChanged(CWnd* pWnd) {
    const tavrik::flatbutton::Taker taker = pWnd == nullptr ? tavrik::flatbutton::Taker::Nobody
                                            : pWnd->m_hWnd == m_hWnd
                                                ? tavrik::flatbutton::Taker::Self
                                                : tavrik::flatbutton::Taker::Other;
    POINT cursor{};
    const bool pointerOver = ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == m_hWnd;
    const tavrik::flatbutton::TrackResult r =
        tavrik::flatbutton::TrackCaptureChanged(IsHot(), taker, pointerOver);
    m_bHot = r.hot ? TRUE : FALSE;
    // Let go only of a capture that is still ours: by now it may belong to the
    // window that took it.
    if (r.capture == tavrik::flatbutton::CaptureAction::Release && ::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    if (r.invalidate) {
        Invalidate(TRUE);
    }
    CButton::OnCaptureChanged(pWnd);
}

BOOL CFlatButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    // No cursor of its own.
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CFlatButton::CtlColor(CDC*, UINT) {
    // Nothing may be painted behind the owner drawing.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CFlatButton::OnSysColorChange() {
    // The face and caption colours stay as sampled; the edges read the system anew.
    CButton::OnSysColorChange();
}
