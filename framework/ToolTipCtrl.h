#pragma once

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
  public:
    // A tooltip window: a popup owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg) {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
    }
    // A tool over the rectangle lpRectTool of pWnd, named nIDTool.
    BOOL AddTool(CWnd* pWnd, const std::string& text, LPCRECT lpRectTool, UINT_PTR nIDTool);
    // Replaces the text of the tool nIDTool on pWnd; its rectangle stays.
    void UpdateTipText(const std::string& text, CWnd* pWnd, UINT_PTR nIDTool);
};
