// What the folder picker decides about a typed path: validation and creation on
// Open and Enter, the live check while typing, and the completion of folder
// names. Window-free: the file system and the boxes come through FolderServices.
#pragma once

#include "os/FileSystem.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavrik {

// Drive types as the platform numbers them.
inline constexpr unsigned kDriveNoRootDir = 1;
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveRemote = 4;
inline constexpr unsigned kDriveCdRom = 5;

// The platform's path buffers hold this many bytes, the terminator included.
inline constexpr std::size_t kMaxPathBytes = 260;

using os::FoundEntry;
using os::PathKind;

class FolderServices {
  public:
    virtual ~FolderServices() = default;
    virtual PathKind Attributes(const std::string& path) = 0;
    virtual unsigned DriveType(const std::string& root) = 0;
    // Creates every missing folder of a path that ends in a backslash.
    virtual bool CreateFolderChain(const std::string& path) = 0;
    // The entries that a search pattern with wildcards matches.
    virtual std::vector<FoundEntry> FindEntries(const std::string& pattern) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
};

// The platform's list of NUL-separated description and pattern pairs: the
// entry that matches no file first, then the extra "description|pattern|" pairs.
std::string FolderFilter(const char* extraFilter);

// A folder path as the picker hands it back: with a trailing backslash, unless empty.
std::string WithTrailingBackslash(std::string path);

// After a navigation, whether the path field keeps what the dialog wrote into it
// (caret to its end) rather than getting back what the user had typed.
bool KeepNavigatedText(const std::string& before, const std::string& after);

struct OpenDecision {
    bool accept = false; // navigate to path and close the dialog
    std::string path;
};
// The Open button: asks and reports through services; otherwise the dialog stays open.
OpenDecision DecideOpen(const std::string& text, FolderServices& services);

struct EnterDecision {
    enum class Action {
        Nothing,           // a message was shown or the user said No
        Navigate,          // navigate to path only
        NavigateAndFinish, // navigate, then end the field's text with a backslash
    };
    Action action = Action::Nothing;
    std::string path;
};
EnterDecision DecideEnter(const std::string& text, FolderServices& services);

enum class LiveCheck { Navigate, Ended, PassOn };
// Run on the field's text after each typed character or Delete.
LiveCheck CheckTypedPath(const std::string& text, FolderServices& services);

struct Completion {
    std::string text;
    int selStart = 0;
    int selEnd = 0;
};
// The field's text, with the single folder whose name begins with the typed part
// completed and the added part selected; false when there is nothing to complete.
bool CompleteFolderName(const std::string& text, int selStart, int selEnd, FolderServices& services,
                        Completion& completion);

// What a typed character (other than Tab and Enter) leads to once the edit
// control has processed it.
struct TypedResult {
    enum class Action { Nothing, Navigate, Complete };
    Action action = Action::Nothing;
    Completion completion; // for Complete
};
inline constexpr unsigned kBackspace = 8;
TypedResult AfterTypedCharacter(unsigned character, const std::string& text, int selStart,
                                int selEnd, FolderServices& services);

} // namespace tavrik
