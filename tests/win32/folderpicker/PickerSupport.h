// Runs the folder picker modally while timer steps look at it and type into
// it, and answers its boxes.
#pragma once

#include "folderpicker/FolderPickerDlg.h"
#include "tests/win32/mainwindow/MainWindowSupport.h"

#include <cctype>

inline bool SameText(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

inline std::string TextOf(HWND h) {
    return CWnd::FromHandle(h)->GetWindowText();
}

// The picker's window and its two added controls, while it is open.
struct Picker {
    HWND hDlg = nullptr;
    HWND Path() const { return ::GetDlgItem(hDlg, IDC_FOLDER_PATH); }
    HWND Open() const { return ::GetDlgItem(hDlg, IDC_FOLDER_OPEN); }
    std::string PathText() const { return TextOf(Path()); }
    void SetPath(const std::string& text) const {
        ::SetWindowTextA(Path(), text.c_str());
        ::SendMessageA(Path(), EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    }
    void Char(char c) const { ::SendMessageA(Path(), WM_CHAR, static_cast<unsigned char>(c), 0); }
    void Enter() const { Char('\r'); }
    void ClickOpen() const { ::SendMessageA(Open(), BM_CLICK, 0, 0); }
    void Cancel() const { ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0); }
};

// Steps on the open picker, one per timer tick; the first waits for the picker.
// hExcept is a window of ours that is no picker (the main window).
using PickerStep = std::function<bool(Picker&)>;

inline std::vector<TimerScript::Step> PickerSteps(Picker& picker, HWND hExcept,
                                                  std::vector<PickerStep> steps) {
    std::vector<TimerScript::Step> script;
    script.push_back([&picker, hExcept] {
        picker.hDlg = FindOtherDialog(hExcept);
        return picker.hDlg != nullptr && ::GetDlgItem(picker.hDlg, IDC_FOLDER_PATH) != nullptr;
    });
    for (PickerStep& step : steps)
        script.push_back([&picker, step] { return step(picker); });
    return script;
}

inline std::function<void()> CancelPicker(Picker& picker) {
    return [&picker] {
        if (picker.hDlg != nullptr && ::IsWindow(picker.hDlg))
            picker.Cancel();
    };
}

// Runs a picker that starts in |initial| through the steps.
inline void RunPicker(CFolderPickerDlg& dlg, std::vector<PickerStep> steps, Picker& picker) {
    TimerScript script(PickerSteps(picker, nullptr, std::move(steps)), CancelPicker(picker), 30000);
    dlg.DoModal();
    EXPECT_TRUE(script.Finished()) << "steps done: " << script.StepsDone();
    EXPECT_FALSE(script.TimedOut());
}
