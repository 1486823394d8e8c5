// A push button drawn flat: only its caption at rest, a raised edge under the
// pointer, a sunken edge while pressed. It keeps a push button's input behaviour
// and takes over only its drawing and its pointer tracking.
#pragma once

#include "framework/Button.h"
#include "framework/ToolTipCtrl.h"

class CFlatButton : public CButton {
  public:
    CFlatButton();
    ~CFlatButton() override;

    // Whether the pointer is taken to be over the button.
    bool IsHot() const { return m_bHot != FALSE; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  protected:
    void PreSubclassWindow() override;

    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

  private:
    BOOL m_bHot = FALSE;
    // Sampled once when the object is made; only the edges follow later changes
    // of the system colours.
    COLORREF m_crFace;
    COLORREF m_crText;
    COLORREF m_crHotFace;
    COLORREF m_crHotText;
    // Never given a tool, so it never shows.
    CToolTipCtrl m_wndTip;
};
