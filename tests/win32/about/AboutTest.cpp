// The About box as the user meets it: its texts, the fitted link with its
// tooltip and cursor, and the three ways the main window opens it.
#include "tests/win32/about/AboutSupport.h"

namespace {

const char kDescription[] =
    "Tavrik is a small tool to convert PSX-images  from the BIN format to either C or ASM  "
    "language. \r\n\r\nFeatures include:\r\n    - 32Bit Windows GUI\r\n    - No external "
    "programs or dll's required\r\n\r\nNew in this version:\r\n    - Multiple file "
    "conversion\r\n    - progress bar\r\n    - saves settings to registry\r\n";

// Whether the Windows folder holds a winhlp32.exe with cursor 106; without it
// the label has no cursor of its own.
bool SystemHasLinkCursor() {
    char directory[MAX_PATH] = {};
    ::GetWindowsDirectoryA(directory, MAX_PATH);
    std::string path = std::string(directory) + "\\winhlp32.exe";
    HMODULE h = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (h == nullptr)
        return false;
    bool found = ::FindResourceA(h, MAKEINTRESOURCEA(106), MAKEINTRESOURCEA(12)) != nullptr;
    ::FreeLibrary(h);
    return found;
}

struct AboutFixture : ::testing::Test {
    void SetUp() override { AfxInitCommonControls(); }
};

TEST_F(AboutFixture, OpensWithTheDescriptionTheFittedLinkItsTooltipAndTheFocusOnOk) {
    CProbeAbout dlg;
    bool checked = false;
    TimerScript script(
        {
            [&] { return dlg.m_hWnd != nullptr && dlg.IsWindowVisible(); },
            [&] {
                // Read at the first look: the template's "Static" must never show.
                EXPECT_EQ(dlg.GetDlgItemText(IDC_DESCRIPTION), kDescription);
                EXPECT_EQ(dlg.GetWindowText(), "About Tavrik");
                EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDOK);

                HWND hLink = ::GetDlgItem(dlg, IDC_HOMEPAGE_LINK);
                EXPECT_EQ(hLink, dlg.m_wndLink.m_hWnd);
                const std::string caption = CWnd::FromHandle(hLink)->GetWindowText();
                EXPECT_EQ(caption, "quendal.example");
                EXPECT_EQ(ToolText(hLink), "http://www.quendal.example/");
                EXPECT_TRUE(::GetWindowLongA(hLink, GWL_STYLE) & SS_NOTIFY);

                // Underlined copy of the dialog's font.
                LOGFONTA linkFont{}, dialogFont{};
                ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hLink, WM_GETFONT, 0, 0)),
                             sizeof(linkFont), &linkFont);
                ::GetObjectA(reinterpret_cast<HFONT>(dlg.SendMessage(WM_GETFONT)),
                             sizeof(dialogFont), &dialogFont);
                EXPECT_TRUE(linkFont.lfUnderline);
                EXPECT_STREQ(linkFont.lfFaceName, dialogFont.lfFaceName);
                EXPECT_EQ(linkFont.lfHeight, dialogFont.lfHeight);

                // As wide as its caption, centred on its template area, one line high.
                SIZE text{};
                HDC hdc = ::GetDC(hLink);
                HGDIOBJ old = ::SelectObject(
                    hdc, reinterpret_cast<HFONT>(::SendMessageA(hLink, WM_GETFONT, 0, 0)));
                ::GetTextExtentPoint32A(hdc, caption.c_str(), static_cast<int>(caption.size()),
                                        &text);
                ::SelectObject(hdc, old);
                ::ReleaseDC(hLink, hdc);
                RECT area{12, 108, 12 + 114, 108 + 8};
                dlg.MapDialogRect(&area);
                CRect link;
                ::GetWindowRect(hLink, &link);
                dlg.ScreenToClient(&link);
                const int areaWidth = area.right - area.left;
                EXPECT_GT(text.cx, 0);
                EXPECT_LT(text.cx, areaWidth);
                EXPECT_EQ(link.left + link.right, area.left + area.right) << "centre kept";
                EXPECT_EQ(link.Width(), areaWidth - 2 * ((areaWidth - text.cx) / 2));
                EXPECT_LE(std::abs(link.Width() - text.cx), 1);
                EXPECT_EQ(link.top, area.top);
                EXPECT_EQ(link.Height(), text.cy);

                // The link cursor, or none at all where the system file lacks it.
                POINT centre{link.Width() / 2, link.Height() / 2};
                ::ClientToScreen(hLink, &centre);
                ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
                LRESULT set = ::SendMessageA(hLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(hLink),
                                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                if (SystemHasLinkCursor()) {
                    EXPECT_TRUE(set);
                    EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
                } else {
                    EXPECT_FALSE(set) << "no winhlp32.exe cursor 106 here";
                    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
                }
                checked = true;
                dlg.PostMessage(WM_COMMAND, IDOK);
                return true;
            },
        },
        [&] { dlg.EndDialog(IDCANCEL); }, 30000);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(script.TimedOut());
}

// The main window, with the application object that makes it the target of F1.
struct MainWithAboutFixture : MainWindowFixture {
    CWinApp app;
    void SetUp() override {
        AfxInitCommonControls();
        MainWindowFixture::SetUp();
        app.m_pMainWnd = &dlg;
    }
    void TearDown() override {
        app.m_pMainWnd = nullptr;
        MainWindowFixture::TearDown();
    }

    // Runs the queue as the application's loop does, through PreTranslateMessage.
    void Pump(const TimerScript& script) {
        MSG msg;
        while (!script.Finished() && !script.TimedOut()) {
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
                continue;
            }
            if (!CWnd::WalkPreTranslateTree(dlg.m_hWnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }

    // Steps that wait for one About box owned by the main window, check it, and close it.
    std::vector<TimerScript::Step> OpenedOverTheMainWindowThenClosed(bool& seen) {
        auto box = std::make_shared<HWND>(nullptr);
        return {
            [this, box, &seen] {
                auto boxes = OpenAboutBoxes();
                if (boxes.size() != 1)
                    return false;
                *box = boxes[0];
                EXPECT_EQ(::GetWindow(*box, GW_OWNER), dlg.m_hWnd);
                EXPECT_FALSE(dlg.IsWindowEnabled());
                EXPECT_EQ(CWnd::FromHandle(*box)->GetDlgItemText(IDC_DESCRIPTION), kDescription);
                seen = true;
                ::PostMessageA(*box, WM_COMMAND, IDOK, 0);
                return true;
            },
            [box] { return !::IsWindow(*box); },
        };
    }
};

TEST_F(MainWithAboutFixture, InfoHelpCommandAndSystemMenuItemOpenTheBox) {
    struct Case {
        const char* name;
        std::function<void(MainWithAboutFixture&)> open;
    } const cases[] = {
        {"Info button", [](MainWithAboutFixture& f) { f.dlg.Click(IDC_INFO); }},
        {"help command", [](MainWithAboutFixture& f) { f.dlg.SendMessage(WM_COMMAND, ID_HELP); }},
        {"About item of the system menu",
         [](MainWithAboutFixture& f) { f.dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX); }},
        {"About item with the low four bits set",
         [](MainWithAboutFixture& f) { f.dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0xF); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool seen = false;
        TimerScript script(OpenedOverTheMainWindowThenClosed(seen), &CloseAllAboutBoxes, 30000);
        c.open(*this);
        EXPECT_TRUE(seen);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_TRUE(dlg.IsWindowEnabled());
        EXPECT_TRUE(OpenAboutBoxes().empty());
    }
}

TEST_F(MainWithAboutFixture, OtherSystemCommandsKeepTheirUsualEffect) {
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(dlg.IsIconic());
    dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(dlg.IsIconic());
    EXPECT_TRUE(OpenAboutBoxes().empty());
}

TEST_F(MainWithAboutFixture, F1OpensTheBoxAndF1InsideItOpensASecondOneOnTop) {
    dlg.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(dlg);
    dlg.m_btnAdd.SetFocus();
    HWND first = nullptr;
    HWND second = nullptr;
    auto pressF1 = [](HWND h) {
        ::PostMessageA(h, WM_KEYDOWN, VK_F1, 0x003B0001);
        ::PostMessageA(h, WM_KEYUP, VK_F1, 0xC03B0001);
    };
    TimerScript script({
                           [&] {
                               auto boxes = OpenAboutBoxes();
                               if (boxes.size() != 1)
                                   return false;
                               first = boxes[0];
                               EXPECT_EQ(::GetWindow(first, GW_OWNER), dlg.m_hWnd);
                               // F1 where the focus is in the box: its OK button.
                               EXPECT_EQ(::GetParent(::GetFocus()), first);
                               pressF1(::GetFocus());
                               return true;
                           },
                           [&] {
                               auto boxes = OpenAboutBoxes();
                               if (boxes.size() != 2)
                                   return false;
                               second = boxes[0] == first ? boxes[1] : boxes[0];
                               EXPECT_EQ(::GetWindow(second, GW_OWNER), first)
                                   << "opened on top of the first";
                               EXPECT_FALSE(::IsWindowEnabled(first));
                               ::PostMessageA(second, WM_COMMAND, IDOK, 0);
                               return true;
                           },
                           [&] {
                               if (::IsWindow(second))
                                   return false;
                               EXPECT_TRUE(::IsWindowEnabled(first));
                               ::PostMessageA(first, WM_COMMAND, IDOK, 0);
                               return true;
                           },
                           [&] { return !::IsWindow(first); },
                       },
                       &CloseAllAboutBoxes, 40000);
    pressF1(dlg.m_btnAdd.m_hWnd);
    Pump(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_TRUE(dlg.IsWindowEnabled());
}

} // namespace
