// The preview window under Wine: what it draws, its line, palette stepping and
// closing by keyboard, and that opening it from the source list changes nothing.

#include "preview/PreviewDlg.h"
#include "tests/win32/mainwindow/MainWindowSupport.h"
#include "tests/support/TimFixtures.h"
#include "tests/support/win32/OwnerDrawCanvas.h"

using namespace tavrik;

namespace {

using timfixtures::Picture;

// What the picture area draws, read back from a DIB section, as COLORREF values.
struct Drawing {
    std::vector<COLORREF> px;
    COLORREF at(int x, int y) const { return px[static_cast<size_t>(y * kPreviewArea + x)]; }
};

Drawing Render(HWND hDlg) {
    OwnerDrawCanvas canvas(kPreviewArea, kPreviewArea);
    canvas.Draw(hDlg, ::GetDlgItem(hDlg, IDC_PREVIEW_PICTURE), ODT_STATIC, IDC_PREVIEW_PICTURE);
    return Drawing{canvas.Pixels()};
}

std::string InfoLine(HWND hDlg) {
    char text[512] = {};
    ::GetDlgItemTextA(hDlg, IDC_PREVIEW_INFO, text, sizeof text);
    return text;
}

const COLORREF kLight = RGB(255, 255, 255), kDark = RGB(192, 192, 192);

// A preview created modeless, for looking at what it shows.
struct Shown {
    CPreviewDlg dlg;
    explicit Shown(const std::string& path) : dlg(path) { EXPECT_TRUE(dlg.Create(IDD_PREVIEW)); }
    ~Shown() { dlg.DestroyWindow(); }
};

TEST(PreviewWindow, DrawsThePictureOverACheckerboard) {
    TempDir folder;
    // 8 x 4 pixels of 15-bit colour: 64 times enlarged to 512 x 256, from y 128 on.
    // Pixel (0, 0) is red, (0, 1) see-through, (4, 0) 0x8000.
    const std::string path = folder.File("pic.tim", Picture{2, 8, 4, 0}.Bytes());
    Shown shown(path);
    HWND h = shown.dlg.m_hWnd;
    EXPECT_EQ(InfoLine(h), "pic.tim: TIM, 15-bit, 8x4");

    RECT pane{};
    ::GetClientRect(::GetDlgItem(h, IDC_PREVIEW_PICTURE), &pane);
    EXPECT_EQ(pane.right, kPreviewArea);
    EXPECT_EQ(pane.bottom, kPreviewArea);

    const Drawing d = Render(h);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(d.at(10, 10), face) << "above the picture";
    EXPECT_EQ(d.at(10, 400), face) << "below it";
    EXPECT_EQ(d.at(0, 128), RGB(255, 0, 0));
    EXPECT_EQ(d.at(63, 191), RGB(255, 0, 0));
    EXPECT_EQ(d.at(64, 128), RGB(255, 255, 255)) << "pixel (1, 0)";
    EXPECT_EQ(d.at(140, 150), RGB(8, 8, 8)) << "pixel (2, 0)";
    EXPECT_EQ(d.at(260, 150), RGB(0, 0, 0)) << "pixel (4, 0), 0x8000: opaque black";
    // Pixel (0, 1) is see-through: the checkerboard's squares, 8 pixels wide.
    EXPECT_EQ(d.at(0, 192), kLight);
    EXPECT_EQ(d.at(8, 192), kDark);
    EXPECT_EQ(d.at(8, 200), kLight);
    EXPECT_EQ(d.at(63, 255), kLight);
}

TEST(PreviewWindow, LinesForModelsRawDataAndDamagedFiles) {
    TempDir folder;
    const std::string broken = Picture{1, 4, 2, 1}.Bytes().substr(0, 300);
    struct Case {
        std::string path;
        const char* line;
    } cases[] = {
        {folder.File("car.tmd", timfixtures::Tmd(12)), "car.tmd: TMD model, 12 objects"},
        {folder.File("sound.vag", std::string(31264, 'v')), "sound.vag: raw data, 31,264 bytes"},
        {folder.File("bad.tim", broken),
         "bad.tim: damaged TIM: palette block runs past the end of the file"},
        {folder.Path() + "\\gone.tim", "gone.tim: cannot be read"},
    };
    for (const Case& c : cases) {
        Shown shown(c.path);
        EXPECT_EQ(InfoLine(shown.dlg.m_hWnd), c.line);
        // No picture: the whole area is the dialog's face.
        const Drawing d = Render(shown.dlg.m_hWnd);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(std::count(d.px.begin(), d.px.end(), face), kPreviewArea * kPreviewArea)
            << c.line;
    }
}

// Runs the preview modally and plays keys to it, one per timer tick; each
// step may look at the open window first.
struct KeyRun {
    std::vector<std::string> lines;
    std::vector<COLORREF> firstPixels;
    INT_PTR result = 0;
    bool finished = false;
};

KeyRun PlayKeys(CPreviewDlg& dlg, const std::vector<WPARAM>& keys) {
    KeyRun run;
    std::vector<TimerScript::Step> steps;
    for (WPARAM key : keys)
        steps.push_back([&dlg, &run, key] {
            if (dlg.m_hWnd == nullptr || !::IsWindowVisible(dlg.m_hWnd))
                return false;
            run.lines.push_back(InfoLine(dlg.m_hWnd));
            run.firstPixels.push_back(Render(dlg.m_hWnd).at(10, 130));
            ::PostMessageA(dlg.m_hWnd, WM_KEYDOWN, key, 0);
            return true;
        });
    TimerScript script(steps, [&dlg] {
        if (dlg.m_hWnd)
            dlg.EndDialog(-2);
    });
    run.result = dlg.DoModal();
    run.finished = script.Finished();
    return run;
}

TEST(PreviewWindow, LeftAndRightStepThePalettesEscapeAndEnterClose) {
    TempDir folder;
    // 8-bit, 4 palettes; palette p shows pixel (0, 0) as test colour p:
    // red, green, blue, white. 4 x 2 pixels, 128 times enlarged, from y 128 on.
    const std::string path = folder.File("pic1.tim", Picture{1, 4, 2, 4}.Bytes());
    CPreviewDlg dlg(path);
    KeyRun run = PlayKeys(dlg, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_ESCAPE});
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "pic1.tim: TIM, 8-bit, 4x2, palette 1 of 4",
                             "pic1.tim: TIM, 8-bit, 4x2, palette 2 of 4",
                             "pic1.tim: TIM, 8-bit, 4x2, palette 3 of 4",
                             "pic1.tim: TIM, 8-bit, 4x2, palette 4 of 4",
                             "pic1.tim: TIM, 8-bit, 4x2, palette 1 of 4",
                             "pic1.tim: TIM, 8-bit, 4x2, palette 4 of 4",
                         }));
    const std::vector<COLORREF> shown{RGB(255, 0, 0),     RGB(0, 255, 0), RGB(0, 0, 255),
                                      RGB(255, 255, 255), RGB(255, 0, 0), RGB(255, 255, 255)};
    EXPECT_EQ(run.firstPixels, shown);

    CPreviewDlg again(path);
    run = PlayKeys(again, {VK_RETURN});
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.result, IDOK);
}

TEST_F(MainWindowFixture, DoubleClickOnAnEntryOpensItsPreviewAndChangesNothing) {
    const std::string tim = folder.File("pic1.tim", Picture{1, 4, 2, 4}.Bytes());
    const std::string other = folder.File("sound.vag", "VAGp");
    dlg.m_lbSources.AddString(tim);
    dlg.m_lbSources.AddString(other);
    ::SendMessageA(dlg.m_lbSources, LB_SETCARETINDEX, 0, FALSE);
    const std::vector<std::string> entries = dlg.Entries();
    WIN32_FILE_ATTRIBUTE_DATA before{};
    ::GetFileAttributesExA(tim.c_str(), GetFileExInfoStandard, &before);

    std::string seen;
    HWND hOwner = nullptr;
    bool ownerDisabled = false;
    TimerScript script({[&] {
                           HWND h = FindOtherDialog(dlg.m_hWnd);
                           if (h == nullptr)
                               return false;
                           seen = InfoLine(h);
                           hOwner = ::GetWindow(h, GW_OWNER);
                           ownerDisabled = !::IsWindowEnabled(dlg.m_hWnd);
                           ::PostMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
                           ::PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
                           return true;
                       }},
                       CancelOtherDialog(dlg.m_hWnd));
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SOURCES, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(dlg.m_lbSources.m_hWnd));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(seen, "pic1.tim: TIM, 8-bit, 4x2, palette 1 of 4");
    EXPECT_EQ(hOwner, dlg.m_hWnd);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(FindOtherDialog(dlg.m_hWnd), nullptr) << "the preview is closed";
    EXPECT_TRUE(dlg.IsWindowEnabled());

    EXPECT_EQ(dlg.Entries(), entries);
    EXPECT_FALSE(ReadStored("Label").present) << "no settings written";
    EXPECT_EQ(ReadWholeFile(tim), (Picture{1, 4, 2, 4}.Bytes()));
    WIN32_FILE_ATTRIBUTE_DATA after{};
    ::GetFileAttributesExA(tim.c_str(), GetFileExInfoStandard, &after);
    EXPECT_EQ(::CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);

    // The second entry, with the caret on it.
    ::SendMessageA(dlg.m_lbSources, LB_SETCARETINDEX, 1, FALSE);
    TimerScript second({[&] {
                           HWND h = FindOtherDialog(dlg.m_hWnd);
                           if (h == nullptr)
                               return false;
                           seen = InfoLine(h);
                           ::PostMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
                           return true;
                       }},
                       CancelOtherDialog(dlg.m_hWnd));
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SOURCES, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(dlg.m_lbSources.m_hWnd));
    EXPECT_TRUE(second.Finished());
    EXPECT_EQ(seen, "sound.vag: raw data, 4 bytes");
}

} // namespace
