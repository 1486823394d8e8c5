// Reads the About boxes of a running Tavrik from another process, for the
// end-to-end script:
//   about_probe count       the number of visible About boxes
//   about_probe text ID     the text of control ID in the topmost About box
//   about_probe box ID      its screen rectangle "left top right bottom" (ID 0: the box)
//   about_probe main ID     screen rectangle of control ID of the main window
// Its output goes to the file TAVRIK_PROBE_OUT names, ended by "rc=N", since a
// program started inside a Wine virtual desktop cannot write to the caller.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Found {
    const char* prefix;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lp) {
    auto* found = reinterpret_cast<Found*>(lp);
    char title[256] = {};
    char cls[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    GetClassNameA(hwnd, cls, sizeof cls);
    if (IsWindowVisible(hwnd) && std::strcmp(cls, "#32770") == 0 &&
        std::strncmp(title, found->prefix, std::strlen(found->prefix)) == 0)
        found->windows.push_back(hwnd);
    return TRUE;
}

// Visible dialogs whose title starts with prefix, topmost first.
std::vector<HWND> dialogs(const char* prefix) {
    Found found{prefix, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

void printRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
}

int run(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string cmd = argv[1];
    std::vector<HWND> boxes = dialogs("About Tavrik");
    if (cmd == "count") {
        std::printf("%zu\n", boxes.size());
        return 0;
    }
    if (argc < 3)
        return 2;
    const int id = std::atoi(argv[2]);
    if (cmd == "main") {
        std::vector<HWND> main = dialogs("Tavrik - Morlanix Converter");
        HWND ctl = main.empty() ? nullptr : GetDlgItem(main[0], id);
        if (!ctl)
            return 1;
        printRect(ctl);
        return 0;
    }
    if (boxes.empty())
        return 1;
    HWND ctl = id == 0 ? boxes[0] : GetDlgItem(boxes[0], id);
    if (!ctl)
        return 1;
    if (cmd == "box") {
        printRect(ctl);
    } else if (cmd == "text") {
        char text[2048] = {};
        SendMessageA(ctl, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    } else {
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* out = std::getenv("TAVRIK_PROBE_OUT");
    if (out && !std::freopen(out, "w", stdout))
        return 1;
    const int rc = run(argc, argv);
    if (out)
        std::printf("rc=%d\n", rc);
    return rc;
}
