// The link label of a real About box: its colours as painted, a click that the
// shell cannot open and that goes to the ".htm" fallback, the report of a
// failure, and the registry reading behind the fallback.
#include "tests/win32/about/AboutSupport.h"

#include <shellapi.h>

namespace {

// A target no handler of the shell knows about.
const char kUnknownTarget[] = "tavrik-test-nowhere:page";

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

void SetDefaultValue(HKEY root, const std::string& key, const std::string& value) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS)
        << key;
    ::RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(h);
}

// Points ".htm" at a file class of the test's own for as long as it lives,
// then puts the prefix's association back.
class HtmAssociation {
  public:
    explicit HtmAssociation(const std::string& fileClass) {
        HKEY h = nullptr;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &h) == ERROR_SUCCESS) {
            char value[MAX_PATH] = {};
            LONG size = sizeof(value);
            m_bHadValue = ::RegQueryValueA(h, nullptr, value, &size) == ERROR_SUCCESS;
            m_strPrevious = value;
            ::RegCloseKey(h);
        }
        SetDefaultValue(HKEY_CLASSES_ROOT, ".htm", fileClass);
    }
    ~HtmAssociation() {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kRecorderClass);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kBareClass);
        if (m_bHadValue)
            SetDefaultValue(HKEY_CLASSES_ROOT, ".htm", m_strPrevious);
    }
    static constexpr const char* kRecorderClass = "TavrikTest.Recorder";
    static constexpr const char* kBareClass = "TavrikTest.NoCommand";

  private:
    bool m_bHadValue = false;
    std::string m_strPrevious;
};

struct LinkFixture : ::testing::Test {
    CProbeAbout dlg;
    RecordedBoxes captured;
    void SetUp() override { AfxInitCommonControls(); }

    HWND Link() const { return dlg.m_wndLink.m_hWnd; }
    void MoveMouse(int x, int y) {
        ::SendMessageA(Link(), WM_MOUSEMOVE, 0,
                       MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void Click() {
        ::SendMessageA(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageA(Link(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    // Runs the About box with the steps, after it has become visible.
    void RunAbout(std::vector<TimerScript::Step> steps) {
        steps.insert(steps.begin(), [this] { return dlg.m_hWnd && dlg.IsWindowVisible(); });
        steps.push_back([this] {
            dlg.PostMessage(WM_COMMAND, IDOK);
            return true;
        });
        TimerScript script(
            std::move(steps), [this] { dlg.EndDialog(IDCANCEL); }, 40000);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(script.Finished());
        EXPECT_FALSE(script.TimedOut());
    }
};

TEST_F(LinkFixture, HoverWinsOverVisitedWhichWinsOverTheLinkColour) {
    RunAbout({[this] {
        EXPECT_EQ(LinkColourShown(Link()), "link");
        MoveMouse(1, 1);
        EXPECT_EQ(::GetCapture(), Link()) << "hovering holds the capture";
        EXPECT_EQ(LinkColourShown(Link()), "hover");
        dlg.m_wndLink.MarkVisited(TRUE);
        EXPECT_EQ(LinkColourShown(Link()), "hover");
        MoveMouse(1, 2);
        EXPECT_EQ(::GetCapture(), Link()) << "a move inside keeps hovering";
        MoveMouse(-3, -3);
        EXPECT_EQ(::GetCapture(), nullptr) << "leaving lets the capture go";
        EXPECT_EQ(LinkColourShown(Link()), "visited");
        dlg.m_wndLink.MarkVisited(FALSE);
        EXPECT_EQ(LinkColourShown(Link()), "link");
        return true;
    }});
}

TEST_F(LinkFixture, AClickTheShellCannotOpenStartsTheHtmCommandWithTheTarget) {
    ASSERT_LE(reinterpret_cast<INT_PTR>(
                  ::ShellExecuteA(nullptr, "open", kUnknownTarget, nullptr, nullptr, SW_SHOW)),
              32)
        << "the shell must fail on the target for the fallback to run";
    const std::string recorder = ModuleFolder() + "\\link_recorder.exe";
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string record =
        std::string(temp) + "tavrik-link-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    ::DeleteFileA(record.c_str());
    HtmAssociation association(HtmAssociation::kRecorderClass);
    SetDefaultValue(HKEY_CLASSES_ROOT,
                    std::string(HtmAssociation::kRecorderClass) + "\\shell\\open\\command",
                    "\"" + recorder + "\" \"" + record + "\" \"%1\" -new-window");

    RunAbout({
        [this] {
            dlg.m_wndLink.SetLinkTarget(kUnknownTarget);
            MoveMouse(1, 1);
            Click();
            return true;
        },
        [&] { return ::GetFileAttributesA(record.c_str()) != INVALID_FILE_ATTRIBUTES; },
        [this] {
            EXPECT_TRUE(captured.boxes.empty());
            // The click ended hovering but kept the capture: the label shows it was
            // visited, and the next move, wherever it is, brings the hover back.
            EXPECT_EQ(LinkColourShown(Link()), "visited");
            EXPECT_EQ(::GetCapture(), Link());
            MoveMouse(-20, -20);
            EXPECT_EQ(LinkColourShown(Link()), "hover");
            MoveMouse(-20, -20);
            EXPECT_EQ(::GetCapture(), nullptr);
            EXPECT_EQ(LinkColourShown(Link()), "visited");
            return true;
        },
    });
    // The placeholder's quote is cut off with what follows; its blank and ours remain.
    EXPECT_EQ(ReadWholeFile(record), "\"" + recorder + "\" \"" + record + "\"  " + kUnknownTarget);
    ::DeleteFileA(record.c_str());
}

TEST_F(LinkFixture, AFailedOpenIsReportedAndClearsTheVisitedState) {
    const INT_PTR shell = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", kUnknownTarget, nullptr, nullptr, SW_SHOW));
    ASSERT_EQ(shell, SE_ERR_NOASSOC) << "the shell's answer for an unknown scheme";
    // A class without an open command: the fallback gives up on the shell's answer.
    HtmAssociation association(HtmAssociation::kBareClass);
    SetDefaultValue(HKEY_CLASSES_ROOT, HtmAssociation::kBareClass, "no command");

    RunAbout({[this] {
        dlg.m_wndLink.SetLinkTarget(kUnknownTarget);
        dlg.m_wndLink.MarkVisited(TRUE);
        Click();
        EXPECT_EQ(LinkColourShown(Link()), "link");
        EXPECT_TRUE(dlg.IsWindowVisible()) << "the About box stays open";
        return true;
    }});
    ASSERT_EQ(captured.boxes.size(), 1u);
    EXPECT_EQ(captured.boxes[0].text, "Unable to open hyperlink:\n\nThere is no application "
                                      "associated\nwith the given filename extension.");
    EXPECT_EQ(captured.boxes[0].caption, AfxGetAppName());
    EXPECT_EQ(captured.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(LinkFixture, ThePointerRestingOverTheLinkShowsItsTargetInTheTooltip) {
    RunAbout({
        [this] {
            dlg.m_wndLink.SetLinkTarget("http://tip.quendal.example/");
            CRect rc;
            ::GetWindowRect(Link(), &rc);
            ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
            return true;
        },
        [this] {
            // The tooltip sees the pointer only through the moves the label relays.
            HWND tip = ::FindWindowA(TOOLTIPS_CLASSA, nullptr);
            if (tip == nullptr || !::IsWindowVisible(tip))
                return false;
            char text[256] = {};
            TTTOOLINFOA ti{};
            ti.cbSize = TTTOOLINFOA_V2_SIZE;
            ti.lpszText = text;
            EXPECT_TRUE(::SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
            EXPECT_EQ(ti.hwnd, Link());
            EXPECT_STREQ(text, "http://tip.quendal.example/");
            ::SetCursorPos(0, 0);
            return true;
        },
    });
}

BOOL CALLBACK CountToolTip(HWND h, LPARAM lp) {
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof(cls));
    *reinterpret_cast<int*>(lp) += lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0;
    return TRUE;
}

int ToolTipWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountToolTip, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(LinkAttach, CaptionAndTargetFillEachOtherAndTheLabelFitsItsCaption) {
    AfxInitCommonControls();
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 40, 40, 320, 80, nullptr,
                              nullptr));
    struct Case {
        const char* name;
        const char* caption;
        const char* targetBefore; // given before attachment, when not empty
        bool ownFont;
        const char* shown;
        const char* tip;
    } const cases[] = {
        {"the caption becomes the target", "quendal.example", "", true, "quendal.example",
         "quendal.example"},
        {"a target given before fills an empty caption", "", "http://quendal.example/", true,
         "http://quendal.example/", "http://quendal.example/"},
        {"a target given before keeps the caption", "home", "http://quendal.example/", true, "home",
         "http://quendal.example/"},
        {"both empty stay empty", "", "", true, "", ""},
        {"a control without a font of its own", "home", "", false, "home", "home"},
    };
    const int tooltipsBefore = ToolTipWindows();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND h = ::CreateWindowExA(0, "STATIC", c.caption, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10,
                                   200, 30, host, reinterpret_cast<HMENU>(100),
                                   ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(h, nullptr);
        HFONT original = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        if (c.ownFont) {
            original = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
            ::SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(original), FALSE);
        }
        {
            CLinkLabel label;
            if (*c.targetBefore)
                label.SetLinkTarget(c.targetBefore);
            ASSERT_TRUE(label.SubclassWindow(h));
            EXPECT_EQ(label.GetWindowText(), c.shown);
            EXPECT_EQ(ToolText(h), c.tip);
            EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);

            LOGFONTA from{}, font{};
            ::GetObjectA(original, sizeof(from), &from);
            ::GetObjectA(label.GetFont(), sizeof(font), &font);
            EXPECT_TRUE(font.lfUnderline);
            EXPECT_STREQ(font.lfFaceName, from.lfFaceName);
            EXPECT_EQ(font.lfHeight, from.lfHeight);

            // Left-aligned: the top-left corner stays, the size becomes the caption's.
            SIZE text{};
            HDC hdc = ::GetDC(h);
            HGDIOBJ old = ::SelectObject(hdc, label.GetFont());
            ::GetTextExtentPoint32A(hdc, c.shown, lstrlenA(c.shown), &text);
            ::SelectObject(hdc, old);
            ::ReleaseDC(h, hdc);
            CRect rc;
            label.GetWindowRect(&rc);
            host.ScreenToClient(&rc);
            EXPECT_EQ(rc.TopLeft(), CPoint(10, 10));
            EXPECT_EQ(rc.Width(), text.cx);
            EXPECT_EQ(rc.Height(), text.cy);

            // A new target after attachment: the caption and the tool's rectangle stay.
            const RECT toolRect = LinkTool(h).rect;
            label.SetLinkTarget("http://other.quendal.example/");
            EXPECT_EQ(label.GetWindowText(), c.shown);
            EXPECT_EQ(ToolText(h), "http://other.quendal.example/");
            const RECT toolRectAfter = LinkTool(h).rect;
            EXPECT_TRUE(::EqualRect(&toolRect, &toolRectAfter));
        }
        EXPECT_FALSE(::IsWindow(h));
        EXPECT_EQ(ToolTipWindows(), tooltipsBefore) << "the tooltip goes with the label";
    }
    host.DestroyWindow();
}

TEST(LinkRegistry, TheUnnamedValueOrAnEmptyStringOnceTheKeyOpens) {
    const std::string base = "Software\\TavrikTest\\Link" + std::to_string(::GetCurrentProcessId());
    SetDefaultValue(HKEY_CURRENT_USER, base + "\\short", "htmlfile");
    SetDefaultValue(HKEY_CURRENT_USER, base + "\\long", std::string(300, 'x'));
    HKEY h = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, (base + "\\novalue").c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &h, nullptr);
    ::RegCloseKey(h);
    struct Case {
        const char* name;
        const char* key;
        LONG status;
        const char* value;
    } const cases[] = {
        {"a value", "short", ERROR_SUCCESS, "htmlfile"},
        {"a value longer than the buffer", "long", ERROR_SUCCESS, ""},
        {"no unnamed value", "novalue", ERROR_SUCCESS, ""},
        {"no key: the output stays", "missing", ERROR_FILE_NOT_FOUND, "untouched"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string value = "untouched";
        EXPECT_EQ(ReadDefaultRegValue(HKEY_CURRENT_USER, base + "\\" + c.key, value), c.status);
        EXPECT_EQ(value, c.value);
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TavrikTest");
}

} // namespace
