#include "framework/Button.h"
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/Static.h"
#include "tests/win32/framework/TestDialogs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A button that answers its own click, draws itself and records what reached it.
class CReflectingButton : public CButton {
  public:
    int m_nClicks = 0;
    int m_nDraws = 0;
    UINT m_nLastItemState = 0;
    std::vector<UINT> m_defaultMessages;

  protected:
    void OnClicked() { ++m_nClicks; }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        ++m_nDraws;
        m_nLastItemState = lpDIS->itemState;
    }
    afx_msg void OnKillFocus(CWnd* pNewWnd) { CButton::OnKillFocus(pNewWnd); }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_defaultMessages.push_back(message);
        return CButton::DefWindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

class CColouredLabel : public CStatic {
  public:
    HBRUSH m_hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    UINT m_nCtlColor = 0xFFFF;
    HDC m_hDCSeen = nullptr;
    ~CColouredLabel() override { ::DeleteObject(m_hBrush); }

  protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
        m_nCtlColor = nCtlColor;
        m_hDCSeen = pDC->m_hDC;
        return m_hBrush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CRoutingDlg : public CDialog {
  public:
    CRoutingDlg() : CDialog(IDD_EXCHANGE) {}
    CReflectingButton m_btnDrawn;
    CReflectingButton m_btnPlain;
    CColouredLabel m_label;
    int m_nParentDrawnClicks = 0;
    int m_nParentPlainClicks = 0;
    int m_nOK = 0;

    void OnOK() override { ++m_nOK; }

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_DRAWN, m_btnDrawn);
        DDX_Control(pDX, IDC_PLAIN, m_btnPlain);
        DDX_Control(pDX, IDC_LABEL, m_label);
    }
    afx_msg void OnDrawnClicked() { ++m_nParentDrawnClicks; }
    afx_msg void OnPlainClicked() { ++m_nParentPlainClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingDlg, CDialog)
ON_BN_CLICKED(IDC_DRAWN, OnDrawnClicked)
ON_BN_CLICKED(IDC_PLAIN, OnPlainClicked)
END_MESSAGE_MAP()

struct RoutingFixture : ::testing::Test {
    CRoutingDlg dlg;
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_EXCHANGE)); }
    void TearDown() override { dlg.DestroyWindow(); }
};

TEST_F(RoutingFixture, ControlAnswersItsOwnNotificationBeforeTheParent) {
    dlg.m_btnDrawn.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.m_btnDrawn.m_nClicks, 1);
    EXPECT_EQ(dlg.m_nParentDrawnClicks, 0) << "a reflected handler that answers eats the click";
}

TEST_F(RoutingFixture, DerivedMapEntryWinsOverTheBaseOne) {
    // CDialog maps IDOK to OnOK; the override is virtual and must be reached.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDOK)));
    EXPECT_EQ(dlg.m_nOK, 1);
}

TEST_F(RoutingFixture, OwnerDrawRequestReachesTheControlsDrawItem) {
    dlg.m_btnDrawn.Invalidate();
    dlg.m_btnDrawn.UpdateWindow();
    EXPECT_GE(dlg.m_btnDrawn.m_nDraws, 1);
    EXPECT_EQ(dlg.m_btnPlain.m_nDraws, 0) << "a plain push button is drawn by the system";
}

TEST_F(RoutingFixture, ColourQueryIsAnsweredByTheControlWithAReflectedEntry) {
    HDC hDC = ::GetDC(dlg.m_hWnd);
    LRESULT brush = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                    reinterpret_cast<LPARAM>(dlg.m_label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), dlg.m_label.m_hBrush);
    EXPECT_EQ(dlg.m_label.m_nCtlColor, static_cast<UINT>(CTLCOLOR_STATIC));
    EXPECT_EQ(dlg.m_label.m_hDCSeen, hDC);

    // Without a reflected entry the dialog's default answer stands.
    LRESULT other = dlg.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hDC),
                                    reinterpret_cast<LPARAM>(dlg.m_btnPlain.m_hWnd));
    EXPECT_NE(reinterpret_cast<HBRUSH>(other), dlg.m_label.m_hBrush);
    ::ReleaseDC(dlg.m_hWnd, hDC);
}

TEST_F(RoutingFixture, DefaultGoesThroughTheOverridableDefWindowProc) {
    dlg.m_btnDrawn.m_defaultMessages.clear();
    dlg.m_btnDrawn.SendMessage(WM_KILLFOCUS);
    ASSERT_EQ(dlg.m_btnDrawn.m_defaultMessages.size(), 1u);
    EXPECT_EQ(dlg.m_btnDrawn.m_defaultMessages[0], static_cast<UINT>(WM_KILLFOCUS));
}

TEST_F(RoutingFixture, HandlesMapToTheirObjectsAndOthersToStandIns) {
    EXPECT_EQ(CWnd::FromHandle(dlg.m_hWnd), &dlg);
    EXPECT_EQ(dlg.GetDlgItem(IDC_DRAWN), &dlg.m_btnDrawn);
    CWnd* pEdit = dlg.GetDlgItem(IDC_TEXT);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_TEXT));
    EXPECT_EQ(CWnd::FromHandlePermanent(pEdit->m_hWnd), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_TEXT), pEdit);
}

TEST(MessageRouting, DestroyedWindowLetsGoOfItsObjects) {
    CRoutingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    HWND hButton = dlg.m_btnDrawn.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_btnDrawn.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hButton), nullptr);
}

TEST(MessageRouting, ObjectDestroyedBeforeItsWindowTakesTheWindowAlong) {
    HWND hWnd = nullptr;
    {
        CRoutingDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
        hWnd = dlg.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

} // namespace
