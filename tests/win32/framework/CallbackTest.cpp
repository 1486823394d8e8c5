// An exception that leaves one of our handlers stops at the platform's callback:
// the user is told, and the program goes on.
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "tests/win32/framework/TestDialogs.h"
#include "tests/support/win32/MessageBoxes.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

constexpr UINT ID_THROW = 300;

struct CallbackFixture : ::testing::Test {
    RecordedBoxes recorded;
    std::vector<MessageRecord>& boxes = recorded.boxes;
    std::function<void()>& whileBoxIsUp = recorded.whileShown;

    void ExpectOneReport(const std::string& what) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(what), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].caption, AfxGetAppName());
        EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    }
};

class CThrowingWnd : public CWnd {
  public:
    int m_nPaints = 0;

  protected:
    afx_msg void OnThrow() { throw std::runtime_error("the command failed"); }
    afx_msg void OnPaint() {
        ++m_nPaints;
        throw std::runtime_error("the paint failed");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
ON_COMMAND(ID_THROW, OnThrow)
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(CallbackFixture, WindowProcedureReportsOnceAndCarriesOn) {
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "thrower", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    // A handler that fails again while the report is open is not reported on top of it.
    whileBoxIsUp = [&] { wnd.SendMessage(WM_COMMAND, ID_THROW); };
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, ID_THROW), 0);
    ExpectOneReport("the command failed");

    whileBoxIsUp = nullptr;
    wnd.SendMessage(WM_COMMAND, ID_THROW);
    EXPECT_EQ(boxes.size(), 2u) << "the next failure is reported again";
    wnd.DestroyWindow();
}

TEST_F(CallbackFixture, FailedPaintIsNotAskedForAgain) {
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "thrower", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                             nullptr));
    wnd.Invalidate();
    wnd.UpdateWindow();
    ExpectOneReport("the paint failed");
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_nPaints, 1);
    wnd.DestroyWindow();
}

TEST_F(CallbackFixture, DialogProcedureReportsAFailedInitialisation) {
    struct CFailingDlg : CDialog {
        BOOL OnInitDialog() override { throw std::runtime_error("the dialog could not start"); }
    } dlg;
    EXPECT_TRUE(dlg.Create(IDD_EXCHANGE));
    ExpectOneReport("the dialog could not start");
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    dlg.DestroyWindow();
}

TEST_F(CallbackFixture, HookReportsAndTheDialogStillCloses) {
    struct CFailingFileDialog : CFileDialog {
        CFailingFileDialog()
            : CFileDialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All|*.*||") {}
        void OnInitDone() override {
            ::PostMessageA(::GetParent(m_hWnd), WM_COMMAND, IDCANCEL, 0);
            throw std::runtime_error("the hook failed");
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ExpectOneReport("the hook failed");
}

} // namespace
