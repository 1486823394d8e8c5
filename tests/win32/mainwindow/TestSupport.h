// Shared pieces of the main-window tests: the registry values, a view into the
// dialog's members, message-box capture, and timer scripts that drive modal
// windows from inside their own loops.
#pragma once

#include "CommandLineFiles.h"
#include "ConverterDlg.h"
#include "framework/WinApp.h"
#include "resource.h"

#include <dlgs.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

inline const char* const kSettingsKey = "Software\\Tavrik";

inline void ClearSettings() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

inline void StoreValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

inline void StoreFormat(int format) {
    StoreValue("Extension", REG_BINARY, &format, 4);
}
inline void StoreText(const char* name, const std::string& text) {
    StoreValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

struct StoredValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string Text() const {
        std::string text(data.begin(), data.end());
        return text.substr(0, text.find('\0'));
    }
};

inline StoredValue ReadStored(const char* name) {
    StoredValue value;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = ::RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(),
                                           &size) == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return value;
}

// The dialog with its members in view.
class CProbeDlg : public CConverterDlg {
  public:
    using CConverterDlg::m_btnAdd;
    using CConverterDlg::m_hIcon;
    using CConverterDlg::m_lbSources;
    using CConverterDlg::m_nFormat;
    using CConverterDlg::m_progress;
    using CConverterDlg::m_strDestination;
    using CConverterDlg::m_strLabel;

    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        for (int i = 0; i < m_lbSources.GetCount(); ++i)
            entries.push_back(m_lbSources.GetText(i));
        return entries;
    }
    void Click(int id) { ::SendMessageA(::GetDlgItem(m_hWnd, id), BM_CLICK, 0, 0); }
};

struct MessageRecord {
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT type;
};

// Records every message box instead of showing it.
struct CapturedBoxes {
    std::vector<MessageRecord> boxes;
    CapturedBoxes() {
        AfxSetMessageBoxResponder(
            [this](HWND h, const std::string& text, const std::string& caption, UINT type) {
                boxes.push_back({h, text, caption, type});
                return IDOK;
            });
    }
    ~CapturedBoxes() { AfxSetMessageBoxResponder(nullptr); }
};

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

// A fresh folder under the temporary folder, removed with its files afterwards.
class TempFolder {
  public:
    TempFolder() {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        m_path = std::string(base) + "tavrik-mw-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(++counter);
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() {
        std::string from = m_path + '\0';
        SHFILEOPSTRUCTA op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        ::SHFileOperationA(&op);
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

// A main window created modeless over clean settings, with a folder of files beside it.
struct MainWindowFixture : ::testing::Test {
    CProbeDlg dlg;
    TempFolder folder;
    void SetUp() override {
        ClearSettings();
        ASSERT_TRUE(dlg.Create(IDD_TAVRIK_DIALOG));
    }
    void TearDown() override {
        dlg.DestroyWindow();
        ClearSettings();
    }
};

inline std::string ReadWholeFile(const std::string& path) {
    std::string content;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        content.append(buffer, got);
    ::CloseHandle(h);
    return content;
}
