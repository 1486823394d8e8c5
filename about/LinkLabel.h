// CLinkLabel: a static text control of a dialog turned into a hyperlink. It
// draws its caption underlined in the link, hover or visited colour, fits its
// window to the caption, shows a link cursor and a tooltip with its target, and
// opens the target when clicked, reporting a failure in a message box.
#pragma once

#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"

#include <string>

class CDC;

// Opens target through the shell, else with the command registered for ".htm"
// files. The result code of the last attempt: greater than 32 means success.
INT_PTR OpenLink(const std::string& target, int nShowCmd);

// Reads the unnamed value of hKeyRoot\subKey into value. ERROR_SUCCESS once
// the key opens (a value that is missing, too long or no string then reads as
// empty); otherwise the error of the open, and value is left as it was.
LONG ReadDefaultRegValue(HKEY hKeyRoot, const std::string& subKey, std::string& value);

class CLinkLabel : public CStatic {
  public:
    CLinkLabel();
    ~CLinkLabel() override;

    // Before attachment the target is only stored; attachment then takes it
    // (and, when the caption is empty, shows it as the caption).
    void SetLinkTarget(const std::string& target);
    void MarkVisited(BOOL bVisited);

    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    void PreSubclassWindow() override;

    void FitToText();
    void LoadLinkCursor();
    void ShowOpenError(INT_PTR nResult);

    afx_msg void OnClicked();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crLink;
    COLORREF m_crVisited;
    COLORREF m_crHover;
    BOOL m_bHover;   // the pointer is tracked as over the label, which holds the capture
    BOOL m_bVisited; // the last click opened the target
    BOOL m_bUnderline;
    BOOL m_bFitToText;
    std::string m_strLinkTarget;
    HFONT m_hFont = nullptr;         // the control's font with the underline applied, owned
    HCURSOR m_hLinkCursor = nullptr; // a copy of our own, owned
    CToolTipCtrl m_toolTip;
};
