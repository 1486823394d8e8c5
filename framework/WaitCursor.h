#pragma once

#include "framework/Afx.h"

// Shows the hourglass from construction to destruction.
class CWaitCursor {
  public:
    CWaitCursor() : m_hOld(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOld ? m_hOld : ::LoadCursorA(nullptr, IDC_ARROW)); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // After a message box has changed the cursor.
    void Restore() { ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }

  private:
    HCURSOR m_hOld;
};
