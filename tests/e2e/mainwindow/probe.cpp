// Reads the state of Tavrik's running main window from another process, so the
// end-to-end script can check what a person would see without trusting pixels:
//   probe find            exit 0 when the main window is open
//   probe rect ID         screen centre of control ID: "x y"
//   probe box ID          screen rectangle of control ID: "left top right bottom"
//   probe text ID         the control's text
//   probe check ID        BM_GETCHECK of the control
//   probe list ID         the list box's entries, one a line
//   probe focus           the id of the control that has the keyboard focus
//   probe enabled         1 when the main window accepts input, else 0
//   probe windows         visible top-level windows: "class|title"
// Started inside a Wine virtual desktop, a program's output does not reach the
// caller: with TAVRIK_PROBE_OUT set, it goes to that file instead, ended by a
// line "rc=N" with the exit status once the probe is done. With TAVRIK_PROBE_TITLE
// set, the commands look at the dialog of exactly that title instead (the folder picker).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kTitlePrefix[] = "Tavrik - Morlanix Converter";

BOOL CALLBACK findMain(HWND hwnd, LPARAM found) {
    char title[256] = {};
    char cls[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    GetClassNameA(hwnd, cls, sizeof cls);
    const char* wanted = std::getenv("TAVRIK_PROBE_TITLE");
    if (std::strcmp(cls, "#32770") == 0 &&
        (wanted ? std::strcmp(title, wanted) == 0
                : std::strncmp(title, kTitlePrefix, sizeof kTitlePrefix - 1) == 0)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK printVisible(HWND hwnd, LPARAM) {
    if (!IsWindowVisible(hwnd)) {
        return TRUE;
    }
    char title[256] = {};
    char cls[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    GetClassNameA(hwnd, cls, sizeof cls);
    std::printf("%s|%s\n", cls, title);
    return TRUE;
}

std::string utf8(const std::wstring& w) {
    if (w.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

int fail(const char* what) {
    std::fprintf(stderr, "probe: %s\n", what);
    return 1;
}

} // namespace

int run(int argc, char** argv) {
    if (argc < 2) {
        return fail("usage: probe find|rect|text|check|list|focus|enabled|windows [ID]");
    }
    const std::string cmd = argv[1];
    if (cmd == "windows") {
        EnumWindows(printVisible, 0);
        return 0;
    }
    HWND main = nullptr;
    EnumWindows(findMain, reinterpret_cast<LPARAM>(&main));
    if (!main) {
        return fail("main window not found");
    }
    if (cmd == "find") {
        return 0;
    }
    if (cmd == "enabled") {
        std::printf("%d\n", IsWindowEnabled(main) ? 1 : 0);
        return 0;
    }
    if (cmd == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) || !info.hwndFocus) {
            return fail("no focus");
        }
        std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
        return 0;
    }
    if (argc < 3) {
        return fail("missing control id");
    }
    HWND ctl = GetDlgItem(main, std::atoi(argv[2]));
    if (!ctl) {
        return fail("no such control");
    }
    if (cmd == "rect" || cmd == "box") {
        RECT r{};
        GetWindowRect(ctl, &r);
        if (cmd == "rect") {
            std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else {
            std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        }
    } else if (cmd == "text") {
        char text[1024] = {};
        SendMessageA(ctl, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    } else if (cmd == "check") {
        std::printf("%ld\n", static_cast<long>(SendMessageA(ctl, BM_GETCHECK, 0, 0)));
    } else if (cmd == "list") {
        // Only the wide calls carry list strings across processes reliably.
        const LRESULT count = SendMessageW(ctl, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT len = SendMessageW(ctl, LB_GETTEXTLEN, i, 0);
            std::wstring item(static_cast<size_t>(len < 0 ? 0 : len) + 1, L'\0');
            SendMessageW(ctl, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            item.resize(std::wcslen(item.c_str()));
            std::printf("%s\n", utf8(item).c_str());
        }
    } else {
        return fail("unknown command");
    }
    return 0;
}

int main(int argc, char** argv) {
    const char* out = std::getenv("TAVRIK_PROBE_OUT");
    if (out && !std::freopen(out, "w", stdout)) {
        return fail("cannot write the output file");
    }
    const int rc = run(argc, argv);
    if (out) {
        std::printf("rc=%d\n", rc);
    }
    return rc;
}
