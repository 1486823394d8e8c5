#pragma once

// Drives modal windows from inside their own message loops: timer steps, and the
// dialogs of this thread found and filled in.

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

// Steps run one after the other on a thread timer, so they also run inside
// the nested loops of modal windows. A step answers true when it is done.
// After the time limit the script stops and runs its rescue, which must close
// whatever is open, so that a broken test fails instead of hanging.
class TimerScript {
  public:
    using Step = std::function<bool()>;
    TimerScript(std::vector<Step> steps, std::function<void()> rescue, DWORD limitMs = 15000)
        : m_steps(std::move(steps)), m_rescue(std::move(rescue)), m_limit(limitMs),
          m_start(::GetTickCount()) {
        s_current = this;
        m_id = ::SetTimer(nullptr, 0, 30, &TimerScript::Tick);
    }
    ~TimerScript() {
        ::KillTimer(nullptr, m_id);
        s_current = nullptr;
    }
    bool Finished() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }
    size_t StepsDone() const { return m_next; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TimerScript* self = s_current;
        if (self == nullptr || self->m_busy || self->Finished() || self->m_timedOut)
            return;
        self->m_busy = true;
        if (::GetTickCount() - self->m_start > self->m_limit) {
            self->m_timedOut = true;
            if (self->m_rescue)
                self->m_rescue();
        } else if (self->m_steps[self->m_next]()) {
            ++self->m_next;
        }
        self->m_busy = false;
    }

    static inline TimerScript* s_current = nullptr;
    std::vector<Step> m_steps;
    std::function<void()> m_rescue;
    DWORD m_limit;
    DWORD m_start;
    UINT_PTR m_id = 0;
    size_t m_next = 0;
    bool m_busy = false;
    bool m_timedOut = false;
};

struct DialogSearch {
    HWND except;
    HWND found;
};

inline BOOL CALLBACK MatchOtherDialog(HWND h, LPARAM lp) {
    auto* search = reinterpret_cast<DialogSearch*>(lp);
    char cls[32] = {};
    ::GetClassNameA(h, cls, sizeof(cls));
    if (h != search->except && ::IsWindowVisible(h) && std::string(cls) == "#32770") {
        search->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog window of this thread other than hExcept (a file dialog or a box).
inline HWND FindOtherDialog(HWND hExcept) {
    DialogSearch search{hExcept, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchOtherDialog,
                        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Types into the file dialog's name field and presses its OK button.
inline void EnterFileName(HWND hFileDlg, const std::string& text) {
    // dlgs.h names them cmb13 and edt1.
    int field = ::GetDlgItem(hFileDlg, cmb13) ? cmb13 : edt1;
    ::SendMessageA(hFileDlg, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(text.c_str()));
    ::PostMessageA(hFileDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hFileDlg, IDOK)));
}

// A rescue for a script: cancels the dialog of this thread that is open besides hExcept.
inline std::function<void()> CancelOtherDialog(HWND hExcept) {
    return [hExcept] {
        if (HWND h = FindOtherDialog(hExcept))
            ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
    };
}
