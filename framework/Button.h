#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {
  public:
    BOOL Create(const std::string& caption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID) {
        return CWnd::Create(WC_BUTTONA, caption, dwStyle, rect, pParentWnd, nID);
    }

    // Owner drawing, asked for by the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
