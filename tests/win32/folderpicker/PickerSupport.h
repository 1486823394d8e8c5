// Runs the folder picker modally while timer steps look at it and type into
// it, and answers its boxes.
#pragma once

#include "FolderPickerDlg.h"
#include "TestSupport.h"

#include <cctype>

inline bool SameText(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

inline std::string TextOf(HWND h) {
    return CWnd::FromHandle(h)->GetWindowText();
}

inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(h, &data));
        ::FindClose(h);
    }
    ::RemoveDirectoryA(path.c_str());
}

// A fresh, empty folder of a test's own, removed with everything in it.
class PickerFolder {
  public:
    PickerFolder() {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        for (;;) {
            m_path = std::string(base) + "tavrik-fp-" + std::to_string(::GetCurrentProcessId()) +
                     "-" + std::to_string(::GetTickCount64()) + "-" + std::to_string(++counter);
            if (::CreateDirectoryA(m_path.c_str(), nullptr))
                break;
        }
    }
    ~PickerFolder() {
        // The file dialog leaves the process in the folder it showed last, and the
        // current folder cannot be removed.
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        ::SetCurrentDirectoryA(base);
        RemoveTree(m_path);
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name, const std::string& content = "") const {
        std::string path = m_path + "\\" + name;
        HANDLE h =
            ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(h);
        return path;
    }

  private:
    std::string m_path;
};

// Records every box and answers questions with the next scripted answer.
struct AnsweredBoxes {
    std::vector<MessageRecord> boxes;
    std::vector<int> answers;
    AnsweredBoxes() {
        AfxSetMessageBoxResponder(
            [this](HWND h, const std::string& text, const std::string& caption, UINT type) {
                boxes.push_back({h, text, caption, type});
                if ((type & MB_TYPEMASK) != MB_YESNO)
                    return IDOK;
                int answer = answers.empty() ? IDNO : answers.front();
                if (!answers.empty())
                    answers.erase(answers.begin());
                return answer;
            });
    }
    ~AnsweredBoxes() { AfxSetMessageBoxResponder(nullptr); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const MessageRecord& box : boxes)
            texts.push_back(box.text);
        return texts;
    }
};

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
