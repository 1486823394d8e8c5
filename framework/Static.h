#pragma once

#include "framework/Wnd.h"

class CStatic : public CWnd {
  public:
    // Owner drawing (SS_OWNERDRAW), asked for by the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
