// Helps the preview's end-to-end script from another Wine process:
//   preview_probe fixtures DIR   writes pic1.tim, car.tmd and sound.vag into DIR
//   preview_probe add PATH       adds PATH to the main window's source list
//   preview_probe item N         screen centre of entry N of the source list: "x y"
//   preview_probe count          the number of entries of the source list
//   preview_probe info           the open preview's line (fails when none is open)
//   preview_probe pane           screen rectangle of the preview's picture area
// With TAVRIK_PROBE_OUT set, the output goes to that file, ended by "rc=N": a
// program started inside a Wine virtual desktop cannot reach the caller otherwise.
#include "tests/support/TimFixtures.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr int kSources = 1000, kPreviewPicture = 1040, kPreviewInfo = 1041;

struct Search {
    const char* prefix;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    char title[256] = {}, cls[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    GetClassNameA(hwnd, cls, sizeof cls);
    if (IsWindowVisible(hwnd) && std::strcmp(cls, "#32770") == 0 &&
        std::strncmp(title, search->prefix, std::strlen(search->prefix)) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND Find(const char* prefix) {
    Search search{prefix, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// An 8-bit picture of 128 x 96: a ball of colour bands on a see-through ground,
// with four palettes that shift the bands' colours.
std::string BallTim() {
    using namespace timfixtures;
    const int w = 128, h = 96;
    std::string colours;
    for (int p = 0; p < 4; ++p)
        for (int i = 0; i < 256; ++i) {
            if (i == 0) {
                Put16(colours, 0); // see-through
                continue;
            }
            const double t = (i + p * 64) % 256 / 256.0 * 6.2832;
            const auto channel = [&](double phase) {
                return static_cast<unsigned>(15.5 + 15.5 * std::sin(t + phase)) & 31;
            };
            Put16(colours, channel(0) | channel(2.1) << 5 | channel(4.2) << 10 | 0x8000);
        }
    std::string pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x - 64 + 0.5, dy = y - 48 + 0.5, r = std::sqrt(dx * dx + dy * dy);
            pixels += static_cast<char>(r > 44 ? 0 : 1 + static_cast<int>(r * 5.7) % 255);
        }
    return TimHeader(1, true) + Block(256, 4, colours, 0, 480) + Block(w / 2, h, pixels, 640, 0);
}

bool Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

int Fail(const char* what) {
    std::fprintf(stderr, "preview_probe: %s\n", what);
    return 1;
}

int Run(int argc, char** argv) {
    if (argc < 2)
        return Fail("usage: preview_probe fixtures|add|item|count|info|pane [ARG]");
    const std::string cmd = argv[1];
    if (cmd == "fixtures") {
        if (argc < 3)
            return Fail("missing folder");
        const std::string dir = argv[2];
        const bool ok = Write(dir + "\\pic1.tim", BallTim()) &&
                        Write(dir + "\\car.tmd", timfixtures::Tmd(12)) &&
                        Write(dir + "\\sound.vag", std::string(31264, '\x5a'));
        return ok ? 0 : Fail("cannot write the fixtures");
    }
    if (cmd == "info" || cmd == "pane") {
        HWND preview = Find("Tavrik - Preview");
        if (!preview)
            return Fail("no preview open");
        if (cmd == "info") {
            char text[512] = {};
            GetDlgItemTextA(preview, kPreviewInfo, text, sizeof text);
            std::printf("%s\n", text);
        } else {
            RECT r{};
            GetWindowRect(GetDlgItem(preview, kPreviewPicture), &r);
            std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        }
        return 0;
    }
    HWND main = Find("Tavrik - Morlanix Converter");
    if (!main)
        return Fail("main window not found");
    HWND list = GetDlgItem(main, kSources);
    if (cmd == "count") {
        std::printf("%ld\n", static_cast<long>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
        return 0;
    }
    if (argc < 3)
        return Fail("missing argument");
    if (cmd == "add") {
        wchar_t path[MAX_PATH] = {};
        MultiByteToWideChar(CP_UTF8, 0, argv[2], -1, path, MAX_PATH);
        return SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path)) >= 0
                   ? 0
                   : Fail("cannot add");
    }
    if (cmd == "item") {
        RECT r{};
        if (SendMessageW(list, LB_GETITEMRECT, std::atoi(argv[2]), reinterpret_cast<LPARAM>(&r)) ==
            LB_ERR)
            return Fail("no such entry");
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &centre);
        std::printf("%ld %ld\n", centre.x, centre.y);
        return 0;
    }
    return Fail("unknown command");
}

} // namespace

int main(int argc, char** argv) {
    const char* out = std::getenv("TAVRIK_PROBE_OUT");
    if (out && !std::freopen(out, "w", stdout))
        return Fail("cannot write the output file");
    const int rc = Run(argc, argv);
    if (out)
        std::printf("rc=%d\n", rc);
    return rc;
}
