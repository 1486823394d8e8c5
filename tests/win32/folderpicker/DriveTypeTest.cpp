// Creation failures on drives of each type. The drives come from
// with-drives.sh, which runs these tests in a Wine prefix of their own.
#include "tests/win32/folderpicker/PickerSupport.h"

#include <cstdlib>

namespace {

struct DriveCase {
    char letter;
    UINT type;
    const char* message;
};

TEST(DriveTypes, CreationFailureNamesTheMedium) {
    if (std::getenv("TAVRIK_TEST_DRIVES") == nullptr)
        GTEST_SKIP() << "run through with-drives.sh";
    const DriveCase cases[] = {
        {'R', DRIVE_REMOVABLE,
         "You cannot create this folder.\nThe medium may be write-protected."},
        {'S', DRIVE_CDROM, "You cannot create this folder\nas the CD ROM medium is read-only."},
        {'T', DRIVE_REMOTE, "You do not have permission to create\nthis folder on the network."},
    };
    for (const DriveCase& c : cases) {
        const std::string root = std::string(1, c.letter) + ":\\";
        SCOPED_TRACE(root);
        ASSERT_EQ(::GetDriveTypeA(root.c_str()), c.type);
        // A file where a folder of the chain has to go: not even root gets past it.
        HANDLE h = ::CreateFileA((root + "afile").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ::CloseHandle(h);

        RecordedBoxes boxes;
        boxes.answers = {IDYES, IDYES};
        Picker picker;
        CFolderPickerDlg dlg(root.c_str());
        RunPicker(dlg, {[&](Picker& p) {
                      p.SetPath(root + "afile\\new");
                      p.ClickOpen();
                      p.SetPath(root + "afile\\new\\");
                      p.Enter();
                      EXPECT_TRUE(::IsWindowVisible(p.hDlg));
                      EXPECT_EQ(p.PathText(), root + "afile\\new\\");
                      p.Cancel();
                      return true;
                  }},
                  picker);
        const std::string question =
            root + "afile\\new\nThis folder does not exist.\n\nDo you want to create it?";
        // Open and Enter word only the general case differently.
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>({question, c.message, question, c.message}));
        ::DeleteFileA((root + "afile").c_str());
    }
}

} // namespace
