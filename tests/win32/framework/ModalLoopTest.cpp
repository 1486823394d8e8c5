#include "framework/Button.h"
#include "framework/Dialog.h"
#include "tests/win32/framework/TestDialogs.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr UINT WM_STEP = WM_APP + 1;
constexpr UINT WM_PROBE = WM_APP + 2;
constexpr UINT_PTR WATCHDOG = 99;

class CProbeButton : public CButton {
  public:
    std::vector<UINT> m_preTranslated;
    BOOL PreTranslateMessage(MSG* pMsg) override {
        m_preTranslated.push_back(pMsg->message);
        return CButton::PreTranslateMessage(pMsg);
    }
};

// A dialog run by DoModal whose script runs inside its own loop; a watchdog
// ends it should the script never finish.
class CModalDlg : public CDialog {
  public:
    explicit CModalDlg(CWnd* pParent, UINT nIDTemplate = IDD_EXCHANGE)
        : CDialog(nIDTemplate, pParent) {}
    std::function<void(CModalDlg&)> m_script;
    // Runs on every timer of the script's own (any id but the watchdog's).
    std::function<void(CModalDlg&)> m_onTimer;
    int m_nShown = 0; // WM_SHOWWINDOW messages that showed the dialog
    CProbeButton m_btnPlain;
    std::vector<UINT> m_preTranslated;
    bool m_bTimedOut = false;
    int m_nDestroyCalls = 0;
    bool m_bOwnerDisabledWhileOpen = false;
    bool m_bWasVisible = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, WATCHDOG, 10000, nullptr);
        PostMessage(WM_STEP);
        return TRUE;
    }
    BOOL DestroyWindow() override {
        ++m_nDestroyCalls;
        // Still a window here: a subclass reads its controls at this point.
        m_bWasVisible = ::IsWindow(m_hWnd) != FALSE;
        return CDialog::DestroyWindow();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        m_preTranslated.push_back(pMsg->message);
        return CDialog::PreTranslateMessage(pMsg);
    }

  protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_PLAIN, m_btnPlain); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_STEP:
            m_bOwnerDisabledWhileOpen = m_pParentWnd && !m_pParentWnd->IsWindowEnabled();
            if (m_script)
                m_script(*this);
            return 0;
        case WM_TIMER:
            if (wParam == WATCHDOG) {
                m_bTimedOut = true;
                EndDialog(-2);
            } else if (m_onTimer) {
                m_onTimer(*this);
            }
            return 0;
        case WM_SHOWWINDOW:
            if (wParam)
                ++m_nShown;
            break;
        default:
            break;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// Stands in for the main window that F1 asks for help.
class CHelpTarget : public CWnd {
  public:
    int m_nHelp = 0;

  protected:
    afx_msg void OnHelp() { ++m_nHelp; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpTarget, CWnd)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

struct ModalFixture : ::testing::Test {
    CWnd owner;
    void SetUp() override {
        ASSERT_TRUE(owner.CreateEx(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                                   nullptr, nullptr));
    }
    void TearDown() override { owner.DestroyWindow(); }
};

TEST_F(ModalFixture, OwnerIsDisabledWhileOpenAndEnabledAfter) {
    CModalDlg dlg(&owner);
    dlg.m_script = [](CModalDlg& d) { d.EndDialog(42); };
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_FALSE(dlg.m_bTimedOut);
    EXPECT_TRUE(dlg.m_bOwnerDisabledWhileOpen);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_nDestroyCalls, 1) << "the end destroys through the virtual DestroyWindow";
    EXPECT_TRUE(dlg.m_bWasVisible);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(ModalFixture, QueuedMessagesMeetPreTranslateOfTargetAndParents) {
    CModalDlg dlg(&owner);
    dlg.m_script = [](CModalDlg& d) {
        d.m_btnPlain.PostMessage(WM_PROBE);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.m_bTimedOut);
    auto seen = [](const std::vector<UINT>& v, UINT m) {
        return std::find(v.begin(), v.end(), m) != v.end();
    };
    EXPECT_TRUE(seen(dlg.m_btnPlain.m_preTranslated, WM_PROBE));
    EXPECT_TRUE(seen(dlg.m_preTranslated, WM_PROBE)) << "the walk goes on up to the dialog";
    EXPECT_TRUE(seen(dlg.m_preTranslated, WM_STEP));
}

TEST_F(ModalFixture, CloseBoxAndEscapeCancel) {
    struct Case {
        const char* name;
        std::function<void(CModalDlg&)> script;
    } cases[] = {
        {"close box", [](CModalDlg& d) { d.PostMessage(WM_CLOSE); }},
        {"escape",
         [](CModalDlg& d) {
             d.m_btnPlain.SetFocus();
             d.m_btnPlain.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
    };
    for (auto& c : cases) {
        CModalDlg dlg(&owner);
        dlg.m_script = c.script;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.name;
        EXPECT_FALSE(dlg.m_bTimedOut) << c.name;
        EXPECT_EQ(dlg.m_nDestroyCalls, 1) << c.name;
    }
}

TEST_F(ModalFixture, OkReadsTheFieldsThenEnds) {
    struct CTextDlg : CModalDlg {
        using CModalDlg::CModalDlg;
        std::string m_strText = "initial";
        void DoDataExchange(CDataExchange* pDX) override {
            CModalDlg::DoDataExchange(pDX);
            DDX_Text(pDX, IDC_TEXT, m_strText);
        }
    } dlg(&owner);
    dlg.m_script = [](CModalDlg& d) {
        d.SetDlgItemText(IDC_TEXT, "typed");
        d.PostMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strText, "typed");
}

TEST_F(ModalFixture, TemplateAtTheOriginOpensCentred) {
    CModalDlg dlg(nullptr);
    RECT rc{};
    dlg.m_script = [&rc](CModalDlg& d) {
        d.GetWindowRect(&rc);
        d.EndDialog(IDOK);
    };
    dlg.DoModal();
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int dx = (rc.left - work.left) - (work.right - rc.right);
    int dy = (rc.top - work.top) - (work.bottom - rc.bottom);
    EXPECT_LE(std::abs(dx), 1);
    EXPECT_LE(std::abs(dy), 1);
}

TEST_F(ModalFixture, F1AsksTheMainWindowForHelpUnlessAModifierIsHeld) {
    CWinApp app;
    CHelpTarget mainWnd;
    ASSERT_TRUE(mainWnd.CreateEx(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &mainWnd;
    CModalDlg dlg(&owner);
    dlg.m_script = [](CModalDlg& d) {
        d.m_btnPlain.PostMessage(WM_KEYDOWN, VK_F1, 0x003B0001);
        d.m_btnPlain.PostMessage(WM_KEYUP, VK_F1, 0xC03B0001);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(mainWnd.m_nHelp, 1);

    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    CModalDlg withCtrl(&owner);
    withCtrl.m_script = dlg.m_script;
    withCtrl.DoModal();
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    EXPECT_EQ(mainWnd.m_nHelp, 1) << "Ctrl+F1 is no help request";
    mainWnd.DestroyWindow();
}

TEST_F(ModalFixture, HiddenTemplateIsShownOnceTheLoopGoesIdle) {
    constexpr UINT_PTR POLL = 7;
    CModalDlg dlg(&owner, IDD_HIDDEN);
    bool visibleAtFirstMessage = true;
    bool ownerDisabledWhenShown = false;
    dlg.m_script = [&](CModalDlg& d) {
        // Posted from OnInitDialog: handled before the loop can go idle.
        visibleAtFirstMessage = d.IsWindowVisible() != FALSE;
        ::SetTimer(d.m_hWnd, POLL, 20, nullptr);
    };
    dlg.m_onTimer = [&](CModalDlg& d) {
        if (!d.IsWindowVisible())
            return;
        ownerDisabledWhenShown = !owner.IsWindowEnabled();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.m_bTimedOut) << "the hidden dialog never became visible";
    EXPECT_FALSE(visibleAtFirstMessage);
    EXPECT_TRUE(ownerDisabledWhenShown);
    EXPECT_EQ(dlg.m_nShown, 1);
    EXPECT_TRUE(owner.IsWindowEnabled());

    // Ended before its loop ever went idle, it never appears.
    CModalDlg ended(&owner, IDD_HIDDEN);
    ended.m_script = [](CModalDlg& d) { d.EndDialog(IDCANCEL); };
    EXPECT_EQ(ended.DoModal(), IDCANCEL);
    EXPECT_EQ(ended.m_nShown, 0);
}

// A stand-in handed out during a message stays while a nested modal loop goes
// idle, even when its window is gone meanwhile; once the outermost loop is idle,
// the stand-in of a destroyed window goes.
TEST_F(ModalFixture, StandInsLastThroughTheirMessageAndGoWithTheirWindow) {
    HWND hForeign = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
    ASSERT_NE(hForeign, nullptr);
    CWnd::DeleteTempMap();
    const size_t before = CWnd::GetTempMapSize();
    size_t afterNested = 0;
    bool stillItsHandle = false;
    bool innerWentIdle = false;
    CModalDlg outer(&owner);
    outer.m_script = [&](CModalDlg& d) {
        CWnd* pStandIn = CWnd::FromHandle(hForeign);
        ::DestroyWindow(hForeign);
        // A hidden template is shown only when its loop goes idle.
        CModalDlg inner(&d, IDD_HIDDEN);
        inner.m_script = [](CModalDlg& i) { ::SetTimer(i.m_hWnd, 1, 20, nullptr); };
        inner.m_onTimer = [&](CModalDlg& i) {
            if (i.IsWindowVisible()) {
                innerWentIdle = true;
                i.EndDialog(IDOK);
            }
        };
        inner.DoModal();
        afterNested = CWnd::GetTempMapSize();
        stillItsHandle = pStandIn->m_hWnd == hForeign;
        ::SetTimer(d.m_hWnd, 1, 20, nullptr);
    };
    outer.m_onTimer = [before](CModalDlg& d) {
        if (CWnd::GetTempMapSize() == before)
            d.EndDialog(IDOK);
    };
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_FALSE(outer.m_bTimedOut) << "the outer loop kept the stand-in of a destroyed window";
    EXPECT_TRUE(innerWentIdle);
    EXPECT_EQ(afterNested, before + 1) << "the nested loop dropped a stand-in its caller held";
    EXPECT_TRUE(stillItsHandle);
}

TEST_F(ModalFixture, MissingTemplateFailsWithoutDisablingTheOwner) {
    CDialog dlg(12345, &owner);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

} // namespace
