#pragma once

#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
  public:
    // The full 32-bit range; PBM_SETRANGE's 16-bit halves would cut it.
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const {
        PBRANGE range{};
        SendMessage(PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
        nLower = range.iLow;
        nUpper = range.iHigh;
    }
    int SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, nStep)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
    int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};
