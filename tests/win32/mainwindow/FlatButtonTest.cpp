// The flat button in a real window under Wine: what it draws into a bitmap, how
// real mouse, focus and capture messages move it between cold and hot, and how
// it clicks.
#include "mainwindow/FlatButton.h"
#include "tests/support/win32/OwnerDrawCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kButtonId = 1002;
constexpr int kOtherId = 1003;
constexpr int kW = 80, kH = 24;

// A top-level window of ours that counts the clicks of its buttons.
class CHost : public CWnd {
  public:
    int m_nClicked = 0;
    int m_nDoubleClicked = 0;

  protected:
    afx_msg void OnClicked() { ++m_nClicked; }
    afx_msg void OnDoubleClicked() { ++m_nDoubleClicked; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_BN_CLICKED(kButtonId, OnClicked)
ON_BN_DOUBLECLICKED(kButtonId, OnDoubleClicked)
END_MESSAGE_MAP()

// One host window for the whole run: under Wine without a window manager, taking
// down an active top-level window waits two seconds for the display.
struct HostWindows {
    CHost host;
    HWND hOther = nullptr;
};

HostWindows& Hosts() {
    static HostWindows* windows = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TavrikFlatButtonTestHost";
        ::RegisterClassA(&wc);
        auto* w = new HostWindows;
        w->host.CreateEx(0, wc.lpszClassName, "Flat button test", WS_OVERLAPPED | WS_VISIBLE, 100,
                         100, 320, 160, nullptr, nullptr);
        w->hOther = ::CreateWindowExA(
            0, "BUTTON", "Other", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 150, 20, kW,
            kH, w->host, reinterpret_cast<HMENU>(kOtherId), ::GetModuleHandleA(nullptr), nullptr);
        return w;
    }();
    return *windows;
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The pixels of one drawing, read back from a DIB section.
struct Picture {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
    COLORREF at(int x, int y) const { return px[static_cast<size_t>(y * w + x)]; }
};

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1; // inclusive
    bool empty() const { return right < left; }
};

// Bounds of the pixels inside the frame that are not the face colour.
Box InkBounds(const Picture& p, COLORREF face) {
    Box b;
    for (int y = 1; y < p.h - 1; ++y) {
        for (int x = 1; x < p.w - 1; ++x) {
            if (p.at(x, y) != face) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
            }
        }
    }
    return b;
}

class FlatButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(m_host.m_hWnd, nullptr);
        ASSERT_NE(m_hOther, nullptr);
        m_host.m_nClicked = m_host.m_nDoubleClicked = 0;
        ::SetFocus(m_hOther);
        MakeButton(m_button, BS_PUSHBUTTON);
        Pump();
    }

    void TearDown() override {
        ::ReleaseCapture();
        ::SetFocus(m_hOther);
        m_button.DestroyWindow();
        Pump();
    }

    void MakeButton(CFlatButton& button, DWORD type, int id = kButtonId, int y = 20) {
        HWND hWnd =
            ::CreateWindowExA(0, "BUTTON", "&Add...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, 20,
                              y, kW, kH, m_host, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hWnd, nullptr);
        ASSERT_TRUE(button.SubclassWindow(hWnd));
    }

    // Asks the host to have the button draw itself, as the platform does, into a bitmap
    // that starts out magenta, so that any pixel the button leaves alone shows.
    Picture Render(CFlatButton& button, UINT state) {
        OwnerDrawCanvas canvas(kW, kH);
        EXPECT_TRUE(canvas.IsValid());
        HGDIOBJ oldFont = ::SelectObject(canvas.Dc(), ::GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_TRUE(canvas.Draw(m_host, button.m_hWnd, ODT_BUTTON,
                                static_cast<UINT>(button.GetDlgCtrlID()), state));
        ::SelectObject(canvas.Dc(), oldFont);
        Picture p;
        p.w = kW, p.h = kH;
        p.px = canvas.Pixels();
        return p;
    }

    void Move(CFlatButton& button, int x, int y, WPARAM keys = 0) {
        ::SendMessageA(button, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
    }

    // True when the whole client area of the button waits to be repainted; clears it.
    static bool TakeInvalidated(HWND hWnd) {
        RECT update{}, client{};
        const bool any = ::GetUpdateRect(hWnd, &update, FALSE) != FALSE;
        ::GetClientRect(hWnd, &client);
        ::ValidateRect(hWnd, nullptr);
        return any && ::EqualRect(&update, &client);
    }

    CHost& m_host = Hosts().host;
    HWND m_hOther = Hosts().hOther;
    CFlatButton m_button;
    const COLORREF m_face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF m_light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF m_dark = ::GetSysColor(COLOR_BTNSHADOW);
};

TEST_F(FlatButtonTest, BindingMakesPushButtonsOwnerDrawnAndKeepsTheRest) {
    CFlatButton defButton;
    MakeButton(defButton, BS_DEFPUSHBUTTON, 1007, 60);
    for (HWND h : {m_button.m_hWnd, defButton.m_hWnd}) {
        const LONG style = ::GetWindowLongA(h, GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_TRUE(style & WS_VISIBLE);
    }
}

TEST_F(FlatButtonTest, AtRestOnlyTheFaceAndTheCaptionAreDrawn) {
    ASSERT_NE(m_face, m_light);
    ASSERT_NE(m_face, m_dark);
    const Picture p = Render(m_button, 0);
    for (int x = 0; x < kW; ++x) {
        EXPECT_EQ(p.at(x, 0), m_face) << "top row x=" << x;
        EXPECT_EQ(p.at(x, kH - 1), m_face) << "bottom row x=" << x;
    }
    for (int y = 0; y < kH; ++y) {
        EXPECT_EQ(p.at(0, y), m_face) << "left column y=" << y;
        EXPECT_EQ(p.at(kW - 1, y), m_face) << "right column y=" << y;
    }
    const Box ink = InkBounds(p, m_face);
    ASSERT_FALSE(ink.empty()) << "no caption drawn";
    // Centred: the margins on either side differ by rounding only.
    EXPECT_LE(std::abs(ink.left - (kW - 1 - ink.right)), 2) << ink.left << ".." << ink.right;
    EXPECT_LE(std::abs(ink.top - (kH - 1 - ink.bottom)), 3) << ink.top << ".." << ink.bottom;
    // The caption is drawn in the text colour, with no magenta left anywhere.
    EXPECT_NE(std::find(p.px.begin(), p.px.end(), ::GetSysColor(COLOR_BTNTEXT)), p.px.end());
    EXPECT_EQ(std::find(p.px.begin(), p.px.end(), RGB(255, 0, 255)), p.px.end());
}

TEST_F(FlatButtonTest, HotButtonHasARaisedEdge) {
    Move(m_button, 5, 5);
    ASSERT_TRUE(m_button.IsHot());
    const Picture p = Render(m_button, 0);
    struct Px {
        int x, y;
        COLORREF expected;
        const char* where;
    };
    const Px checks[] = {
        {0, 0, m_light, "top-left corner"},
        {kW - 2, 0, m_light, "end of the top row"},
        {0, kH - 2, m_light, "end of the left column"},
        {kW - 1, 0, m_dark, "top-right corner"},
        {0, kH - 1, m_dark, "bottom-left corner"},
        {kW - 1, kH - 1, m_dark, "bottom-right corner"},
        {kW / 2, kH - 1, m_dark, "bottom row"},
        {kW - 1, kH / 2, m_dark, "right column"},
        {1, 1, m_face, "inside the edge"},
        {kW - 2, kH - 2, m_face, "inside the edge"},
    };
    for (const Px& c : checks) {
        EXPECT_EQ(p.at(c.x, c.y), c.expected) << c.where << " (" << c.x << "," << c.y << ")";
    }
}

TEST_F(FlatButtonTest, PressedButtonIsSunkenWithTheCaptionMovedByOnePixel) {
    const Picture rest = Render(m_button, 0);
    const Picture pressed = Render(m_button, ODS_SELECTED);
    EXPECT_EQ(pressed.at(0, 0), m_dark);
    EXPECT_EQ(pressed.at(kW - 2, 0), m_dark);
    EXPECT_EQ(pressed.at(0, kH - 2), m_dark);
    EXPECT_EQ(pressed.at(kW - 1, 0), m_light);
    EXPECT_EQ(pressed.at(0, kH - 1), m_light);
    EXPECT_EQ(pressed.at(kW - 1, kH - 1), m_light);

    const Box a = InkBounds(rest, m_face), b = InkBounds(pressed, m_face);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(b.left, a.left + 1);
    EXPECT_EQ(b.top, a.top + 1);
    EXPECT_EQ(b.right, a.right + 1);
    EXPECT_EQ(b.bottom, a.bottom + 1);
    for (int y = a.top; y <= a.bottom; ++y) {
        for (int x = a.left; x <= a.right; ++x) {
            ASSERT_EQ(pressed.at(x + 1, y + 1), rest.at(x, y)) << "caption pixel " << x << "," << y;
        }
    }
}

TEST_F(FlatButtonTest, FocusRectangleIsThreePixelsInEvenWhenHotOrPressed) {
    struct Case {
        const char* name;
        bool hot;
        UINT state;
    };
    const Case cases[] = {{"rest", false, 0}, {"hot", true, 0}, {"pressed", false, ODS_SELECTED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.hot) {
            Move(m_button, 5, 5);
            ASSERT_TRUE(m_button.IsHot());
        }
        const Picture plain = Render(m_button, c.state);
        const Picture focused = Render(m_button, c.state | ODS_FOCUS);
        int sides[4] = {0, 0, 0, 0};
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                if (plain.at(x, y) == focused.at(x, y)) {
                    continue;
                }
                const bool onRect = (x == 3 || x == kW - 4 || y == 3 || y == kH - 4) && x >= 3 &&
                                    x <= kW - 4 && y >= 3 && y <= kH - 4;
                ASSERT_TRUE(onRect) << "changed pixel off the focus rectangle at " << x << "," << y;
                sides[0] += y == 3, sides[1] += y == kH - 4, sides[2] += x == 3,
                    sides[3] += x == kW - 4;
            }
        }
        for (int side : sides) {
            EXPECT_GT(side, 3);
        }
    }
}

TEST_F(FlatButtonTest, DisabledCaptionIsDrawnInTheDisabledStyle) {
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    const Picture enabled = Render(m_button, 0);
    const Picture disabled = Render(m_button, ODS_DISABLED);
    EXPECT_NE(std::find(enabled.px.begin(), enabled.px.end(), text), enabled.px.end());
    EXPECT_EQ(std::find(disabled.px.begin(), disabled.px.end(), text), disabled.px.end());
    EXPECT_FALSE(InkBounds(disabled, m_face).empty()) << "the disabled caption is still drawn";
}

TEST_F(FlatButtonTest, MnemonicMarkerIsNotDrawnButUnderlinesItsLetter) {
    CFlatButton plain;
    MakeButton(plain, BS_PUSHBUTTON, 1013, 60);
    ::SetWindowTextA(plain, "Add...");
    const Picture marked = Render(m_button, 0); // "&Add..."
    const Picture bare = Render(plain, 0);
    const Box a = InkBounds(bare, m_face), b = InkBounds(marked, m_face);
    ASSERT_FALSE(a.empty());
    // Centred by the visible characters: the "&" takes no room.
    EXPECT_LE(std::abs(b.left - a.left), 1);
    EXPECT_LE(std::abs(b.right - a.right), 1);
    // The only difference is an underline below the letters, under the "A" at the left.
    int row = -1, from = kW, to = -1;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (marked.at(x, y) != bare.at(x, y)) {
                EXPECT_TRUE(row == -1 || row == y)
                    << "changed pixel outside one row at " << x << "," << y;
                row = y, from = std::min(from, x), to = std::max(to, x);
            }
        }
    }
    ASSERT_NE(row, -1) << "no underline";
    EXPECT_GT(row, a.bottom - 3) << "the underline sits at the foot of the letters";
    EXPECT_GE(to - from, 3) << "a line, not a dot";
    EXPECT_LE(to, (a.left + a.right) / 2) << "under the first letter";
}

TEST_F(FlatButtonTest, ColourQueryAnswersTheHollowBrush) {
    HDC hdc = ::GetDC(m_button);
    const LRESULT brush = ::SendMessageA(m_host, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                         reinterpret_cast<LPARAM>(m_button.m_hWnd));
    ::ReleaseDC(m_button, hdc);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
}

TEST_F(FlatButtonTest, PointerOverLightsItAndLeavingLetsGo) {
    ::ValidateRect(m_button, nullptr);
    Move(m_button, 5, 5);
    EXPECT_TRUE(m_button.IsHot());
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
    EXPECT_TRUE(TakeInvalidated(m_button));

    Move(m_button, 10, 10); // still over it: nothing changes
    EXPECT_TRUE(m_button.IsHot());
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
    EXPECT_FALSE(TakeInvalidated(m_button));

    Move(m_button, kW + 20, 5); // over the host window
    EXPECT_FALSE(m_button.IsHot());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(TakeInvalidated(m_button));
    const Picture p = Render(m_button, 0);
    EXPECT_EQ(p.at(0, 0), m_face) << "the edge is gone";
}

TEST_F(FlatButtonTest, PressedAndDraggedOffGoesColdButKeepsTheCaptureAndDoesNotClick) {
    Move(m_button, 5, 5);
    ::SendMessageA(m_button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    // The platform button takes the capture again when pressed; it must keep it.
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
    EXPECT_TRUE(m_button.IsHot());
    EXPECT_TRUE(::SendMessageA(m_button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    Move(m_button, kW + 20, 5, MK_LBUTTON);
    EXPECT_FALSE(m_button.IsHot());
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
    ::SendMessageA(m_button, WM_LBUTTONUP, 0, MAKELPARAM(kW + 20, 5));
    EXPECT_EQ(m_host.m_nClicked, 0);
    EXPECT_NE(::GetCapture(), m_button.m_hWnd);
    EXPECT_FALSE(::SendMessageA(m_button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "not left pressed";
}

TEST_F(FlatButtonTest, DraggedInWithTheButtonHeldStaysCold) {
    Move(m_button, 5, 5, MK_LBUTTON);
    EXPECT_FALSE(m_button.IsHot());
    EXPECT_NE(::GetCapture(), m_button.m_hWnd);
    EXPECT_EQ(Render(m_button, 0).at(0, 0), m_face);
}

TEST_F(FlatButtonTest, LosingTheFocusMakesItColdWithoutReleasingTheCapture) {
    m_button.SetFocus();
    Move(m_button, 5, 5);
    ASSERT_TRUE(m_button.IsHot());
    ::ValidateRect(m_button, nullptr);
    ::SetFocus(m_hOther);
    EXPECT_FALSE(m_button.IsHot());
    EXPECT_TRUE(TakeInvalidated(m_button));
    EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
}

// A window that takes the capture (a menu, a dialog opened by a mnemonic) sees every
// later mouse move, so a hover kept through the loss would stay drawn for good. A
// capture let go to nobody keeps the hover only while the pointer is on the button.
TEST_F(FlatButtonTest, LosingTheCaptureDropsTheHoverUnlessThePointerIsStillThere) {
    POINT over{5, 5};
    ::ClientToScreen(m_button, &over);
    POINT away{kW + 20, 5};
    ::ClientToScreen(m_button, &away);
    struct Case {
        const char* name;
        HWND taker; // nullptr: the capture is let go to nobody
        POINT pointer;
        bool staysHot;
    };
    const Case cases[] = {
        {"taken by another window, pointer on the button", m_hOther, over, false},
        {"let go, pointer elsewhere", nullptr, away, false},
        {"let go, pointer on the button", nullptr, over, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::SetCursorPos(c.pointer.x, c.pointer.y);
        Move(m_button, 5, 5);
        ASSERT_TRUE(m_button.IsHot());
        ASSERT_EQ(Render(m_button, 0).at(0, 0), m_light) << "raised while hot";
        ::ValidateRect(m_button, nullptr);

        if (c.taker != nullptr)
            ::SetCapture(c.taker);
        else
            ::ReleaseCapture();
        EXPECT_EQ(m_button.IsHot(), c.staysHot);
        EXPECT_TRUE(TakeInvalidated(m_button)) << "repainted either way";
        const Picture p = Render(m_button, 0);
        const COLORREF corner = c.staysHot ? m_light : m_face;
        EXPECT_EQ(p.at(0, 0), corner);
        EXPECT_EQ(p.at(kW - 1, kH - 1), c.staysHot ? m_dark : m_face);
        EXPECT_EQ(::GetCapture(), c.taker) << "the new owner keeps the capture";
        ::ReleaseCapture();

        // The next move over the button lights it and captures again.
        Move(m_button, 6, 6);
        EXPECT_TRUE(m_button.IsHot());
        EXPECT_EQ(::GetCapture(), m_button.m_hWnd);
        Move(m_button, kW + 20, 5);
        EXPECT_FALSE(m_button.IsHot());
    }
}

TEST_F(FlatButtonTest, DoubleClickCountsAsTwoClicks) {
    const LPARAM at = MAKELPARAM(5, 5);
    ::SendMessageA(m_button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(m_button, WM_LBUTTONUP, 0, at);
    ::SendMessageA(m_button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageA(m_button, WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(m_host.m_nClicked, 2);
    EXPECT_EQ(m_host.m_nDoubleClicked, 0);
}

BOOL CALLBACK CountTips(HWND hWnd, LPARAM count) {
    char cls[64] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

int TooltipsOfThisThread() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTips, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Messages sent to tooltip windows of this thread, as a call-window hook sees them.
struct TipCall {
    UINT message;
    WPARAM wParam;
    UINT relayed; // the message carried by TTM_RELAYEVENT
};
std::vector<TipCall> g_tipCalls;

LRESULT CALLBACK WatchTips(int code, WPARAM wParam, LPARAM lParam) {
    const auto* cw = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char cls[64] = {};
    ::GetClassNameA(cw->hwnd, cls, sizeof cls);
    if (code == HC_ACTION && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 &&
        (cw->message == TTM_ACTIVATE || cw->message == TTM_RELAYEVENT)) {
        const UINT relayed =
            cw->message == TTM_RELAYEVENT ? reinterpret_cast<const MSG*>(cw->lParam)->message : 0;
        g_tipCalls.push_back({cw->message, cw->wParam, relayed});
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(FlatButtonTest, FirstPreTranslatedMessageCreatesOneInactiveTooltipThatSeesEveryMessage) {
    g_tipCalls.clear();
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchTips, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int before = TooltipsOfThisThread();
    MSG msg{m_button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), ::GetTickCount(), {125, 125}};
    EXPECT_FALSE(m_button.PreTranslateMessage(&msg));
    EXPECT_EQ(TooltipsOfThisThread(), before + 1);
    msg.message = WM_LBUTTONDOWN;
    EXPECT_FALSE(m_button.PreTranslateMessage(&msg));
    msg.message = WM_KEYDOWN;
    EXPECT_FALSE(m_button.PreTranslateMessage(&msg));
    Pump();
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(TooltipsOfThisThread(), before + 1);
    ASSERT_EQ(g_tipCalls.size(), 4u);
    EXPECT_EQ(g_tipCalls[0].message, static_cast<UINT>(TTM_ACTIVATE));
    EXPECT_EQ(g_tipCalls[0].wParam, static_cast<WPARAM>(FALSE));
    const UINT relayed[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_KEYDOWN};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g_tipCalls[i + 1].message, static_cast<UINT>(TTM_RELAYEVENT));
        EXPECT_EQ(g_tipCalls[i + 1].relayed, relayed[i]);
    }
}

// Changes the system colours for one test and puts them back.
class FlatButtonColourTest : public FlatButtonTest {
  protected:
    static constexpr int kElements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_BTNHIGHLIGHT,
                                        COLOR_BTNSHADOW};
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            m_saved[i] = ::GetSysColor(kElements[i]);
        }
        FlatButtonTest::SetUp();
    }
    void TearDown() override {
        ::SetSysColors(4, kElements, m_saved);
        FlatButtonTest::TearDown();
    }
    COLORREF m_saved[4] = {};
};

TEST_F(FlatButtonColourTest, FaceKeepsTheColoursOfConstructionWhileEdgesFollowTheSystem) {
    const COLORREF fresh[] = {RGB(10, 20, 200), RGB(200, 0, 0), RGB(0, 250, 0), RGB(90, 0, 90)};
    ASSERT_TRUE(::SetSysColors(4, kElements, fresh));
    ASSERT_EQ(::GetSysColor(COLOR_BTNFACE), fresh[0]);
    ::SendMessageA(m_button, WM_SYSCOLORCHANGE, 0, 0);

    Move(m_button, 5, 5);
    const Picture old = Render(m_button, 0);
    EXPECT_EQ(old.at(1, 1), m_saved[0]) << "face sampled at construction";
    EXPECT_EQ(std::find(old.px.begin(), old.px.end(), fresh[1]), old.px.end())
        << "no caption in the new colour";
    EXPECT_EQ(old.at(0, 0), fresh[2]) << "edge reads the new highlight";
    EXPECT_EQ(old.at(kW - 1, kH - 1), fresh[3]) << "edge reads the new shadow";

    CFlatButton later; // made after the change: it samples the new colours
    MakeButton(later, BS_PUSHBUTTON, 1014, 60);
    const Picture now = Render(later, 0);
    EXPECT_EQ(now.at(1, 1), fresh[0]);
    EXPECT_NE(std::find(now.px.begin(), now.px.end(), fresh[1]), now.px.end());
}

} // namespace
