#include "FlatButton.h"

#include "FlatButtonGeometry.h"
#include "framework/DC.h"

namespace {

flatbutton::Box ToBox(const RECT& rc) {
    return {rc.left, rc.top, rc.right, rc.bottom};
}
CRect ToRect(const flatbutton::Box& b) {
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

    const flatbutton::Look look =
        flatbutton::lookFor({m_crFace, m_crText, m_crHotFace, m_crHotText}, IsHot(), pressed);
    HBRUSH hFace = ::CreateSolidBrush(look.face);
    dc.FillRect(&item, hFace);
    ::DeleteObject(hFace);

    if (look.edge != flatbutton::Edge::None) {
        const flatbutton::FrameColours frame = flatbutton::frameColours(
            look.edge, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        dc.Draw3dRect(&item, frame.topLeft, frame.bottomRight);
    }

    const std::string caption = GetWindowText();
    if (!caption.empty()) {
        const flatbutton::Box captionBox = flatbutton::captionBox(ToBox(item), pressed);
        dc.SetTextColor(look.text);
        dc.SetBkColor(look.face);
        CRect measured = ToRect(captionBox);
        dc.DrawText(caption, &measured, DT_CALCRECT | DT_SINGLELINE);
        const CRect text = ToRect(flatbutton::centre(captionBox, ToBox(measured)));
        dc.SetBkMode(TRANSPARENT);
        dc.DrawState(text.TopLeft(), text.Size(), caption,
                     DST_PREFIXTEXT | ((state & ODS_DISABLED) ? DSS_DISABLED : 0));
    }

    if (state & ODS_FOCUS) {
        const CRect focus = ToRect(flatbutton::focusBox(ToBox(item)));
        dc.DrawFocusRect(&focus);
    }
}

void CFlatButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);

    const bool hasCapture = ::GetCapture() == m_hWnd;
    if (!hasCapture && ::GetParent(m_hWnd) == nullptr) {
        return;
    }
    flatbutton::Under under = flatbutton::Under::Self;
    if (hasCapture) {
        CPoint screen = point;
        ClientToScreen(&screen);
        const HWND hUnder = ::WindowFromPoint(screen);
        under = hUnder == nullptr  ? flatbutton::Under::None
                : hUnder == m_hWnd ? flatbutton::Under::Self
                                   : flatbutton::Under::Other;
    }
    const flatbutton::TrackResult r =
        flatbutton::onMouseMove((nFlags & MK_LBUTTON) != 0, IsHot(), hasCapture, under);
    m_bHot = r.hot ? TRUE : FALSE;
    if (r.capture == flatbutton::CaptureAction::Take) {
        SetCapture();
    }
    if (r.invalidate) {
        Invalidate(TRUE);
    }
    if (r.capture == flatbutton::CaptureAction::Release) {
        ::ReleaseCapture();
    }
}

void CFlatButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    const flatbutton::TrackResult r = flatbutton::onKillFocus(IsHot());
    m_bHot = r.hot ? TRUE : FALSE;
    if (r.invalidate) {
        Invalidate(TRUE);
    }
}

void CFlatButton::OnCaptureChanged(CWnd* pWnd) {
    const flatbutton::Taker taker = pWnd == nullptr          ? flatbutton::Taker::Nobody
                                    : pWnd->m_hWnd == m_hWnd ? flatbutton::Taker::Self
                                                             : flatbutton::Taker::Other;
    POINT cursor{};
    const bool pointerOver = ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == m_hWnd;
    const flatbutton::TrackResult r = flatbutton::onCaptureChanged(IsHot(), taker, pointerOver);
    m_bHot = r.hot ? TRUE : FALSE;
    // Let go only of a capture that is still ours: by now it may belong to the
    // window that took it.
    if (r.capture == flatbutton::CaptureAction::Release && ::GetCapture() == m_hWnd) {
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
