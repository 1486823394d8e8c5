#pragma once

#include "framework/Wnd.h"

class CListBox : public CWnd {
  public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetTextLen(int nIndex) const {
        return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
    }
    // The entry's text; empty for an index outside the list.
    std::string GetText(int nIndex) const;
    int AddString(const std::string& text) {
        return static_cast<int>(
            SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const {
        return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems),
                                            reinterpret_cast<LPARAM>(rgIndex)));
    }
    int SetSel(int nIndex, BOOL bSelect = TRUE) {
        return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex));
    }
    // How far the list scrolls sideways, in pixels; it shows its horizontal scroll
    // bar (given the style) while this exceeds its width.
    int GetHorizontalExtent() const {
        return static_cast<int>(SendMessage(LB_GETHORIZONTALEXTENT));
    }
    void SetHorizontalExtent(int cxExtent) {
        SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent));
    }
};
