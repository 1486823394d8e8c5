#include "folderpicker/FolderPathRules.h"

#include <algorithm>

namespace tavrik {

namespace {

// Character classes of the C locale. Bytes from 0x80 on are neither blanks nor
// letters, whatever code page the text is in, and no case change touches them.
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
char ToLower(char c) {
    return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}
char ToUpper(char c) {
    return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string Lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), ToLower);
    return s;
}
std::string Uppered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), ToUpper);
    return s;
}
bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return Lowered(a) == Lowered(b);
}

bool EndsWithBackslash(const std::string& s) {
    return !s.empty() && s.back() == '\\';
}
bool IsDriveRoot(const std::string& s) {
    return s.size() == 3 && s[1] == ':' && s[2] == '\\';
}
// The root of the drive a text names, taken from its first character whatever it is.
std::string DriveRoot(const std::string& s) {
    return std::string(1, s.empty() ? '\\' : s[0]) + ":\\";
}
bool IsValidDrive(const std::string& s, FolderServices& services) {
    return services.DriveType(DriveRoot(s)) > kDriveNoRootDir;
}
// Platform calls with fixed MAX_PATH buffers are never handed a longer text.
bool FitsPathBuffer(const std::string& s) {
    return s.size() < kMaxPathBytes;
}
std::string TooLongMessage(const std::string& path) {
    return path + "\nThe path is longer than " + std::to_string(kMaxPathBytes - 1) + " characters.";
}

const char* const kNotValidFolder = "\nThis is not a valid folder.";
const char* const kInvalidDrive = "\nThe drive is invalid.";
const char* const kIsFile = "\nThis is a file not a directory.";
const char* const kCreateQuestion = "\nThis folder does not exist.\n\nDo you want to create it?";

// Why a folder could not be created, by the type of its drive. Open and Enter
// word the general case differently.
std::string CreationFailure(unsigned driveType, const char* otherwise) {
    switch (driveType) {
    case kDriveRemovable:
        return "You cannot create this folder.\nThe medium may be write-protected.";
    case kDriveRemote:
        return "You do not have permission to create\nthis folder on the network.";
    case kDriveCdRom:
        return "You cannot create this folder\nas the CD ROM medium is read-only.";
    default:
        return otherwise;
    }
}

} // namespace

std::string FolderFilter(const char* extraFilter) {
    std::string filter = "Show Folders Only|.|";
    filter += extraFilter != nullptr ? extraFilter : "|";
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

std::string WithTrailingBackslash(std::string path) {
    if (!path.empty() && !EndsWithBackslash(path))
        path += '\\';
    return path;
}

bool KeepNavigatedText(const std::string& before, const std::string& after) {
    return before.empty() || before[0] == '.' || EqualIgnoringCase(after, before) ||
           EqualIgnoringCase(after, before + "\\");
}

OpenDecision DecideOpen(const std::string& text, FolderServices& services) {
    std::string path = text;
    const OpenDecision accept{true, path};
    const OpenDecision stop{false, std::string()};

    bool checkDrive = false;
    if (path.size() == 2) {
        if (path == "\\\\") {
            services.ShowMessage(path + kNotValidFolder);
            return stop;
        }
        checkDrive = path[1] == ':';
    } else if (path.empty() || path == "\\") {
        return accept;
    } else {
        checkDrive = IsDriveRoot(path);
    }
    if (checkDrive) {
        if (IsValidDrive(path, services))
            return accept;
        services.ShowMessage(path + kInvalidDrive);
        return stop;
    }

    if (EndsWithBackslash(path))
        path.pop_back();
    if (!FitsPathBuffer(path)) {
        services.ShowMessage(TooLongMessage(path));
        return stop;
    }

    switch (services.Attributes(path)) {
    case PathKind::Folder:
        return OpenDecision{true, path};
    case PathKind::File:
        services.ShowMessage(path + kIsFile);
        return stop;
    case PathKind::Missing:
        break;
    }

    if (path.size() > 1 && path[1] == ':' && !IsValidDrive(path, services)) {
        services.ShowMessage(path + kInvalidDrive);
        return stop;
    }
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // A server, or a server and its share, cannot be created.
        std::size_t server = path.find('\\', 2);
        if (server == std::string::npos || path.find('\\', server + 1) == std::string::npos) {
            services.ShowMessage(path + kNotValidFolder);
            return stop;
        }
    }
    if (!services.AskYesNo(path + kCreateQuestion))
        return stop;
    if (services.CreateFolderChain(path + "\\"))
        return OpenDecision{true, path};
    services.ShowMessage(CreationFailure(services.DriveType(DriveRoot(path)),
                                         "You do not have permission\nto create this folder."));
    return stop;
}

EnterDecision DecideEnter(const std::string& text, FolderServices& services) {
    using Action = EnterDecision::Action;
    std::string path = text;
    if (EndsWithBackslash(path) && path != "\\" && path != "\\\\" &&
        !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    if (!FitsPathBuffer(path)) {
        services.ShowMessage(TooLongMessage(path));
        return EnterDecision{};
    }

    const std::size_t n = path.size();
    bool direct =
        n == 0 || path == "\\" ||
        (n >= 2 && path[0] == '\\' && path[1] == '\\' && path.find('\\', 2) == std::string::npos) ||
        (n == 2 && path[1] == ':') || IsDriveRoot(path);
    if (direct)
        return EnterDecision{Action::Navigate, path};

    const EnterDecision finish{Action::NavigateAndFinish, path};
    if (services.Attributes(path) != PathKind::Missing)
        return finish;
    // On a missing drive the dialog itself reports the bad path.
    if (n > 1 && path[1] == ':' && !IsValidDrive(path, services))
        return finish;
    if (!services.AskYesNo(path + kCreateQuestion))
        return EnterDecision{};
    if (services.CreateFolderChain(path + "\\"))
        return finish;
    services.ShowMessage(
        CreationFailure(services.DriveType(DriveRoot(path)),
                        "You do not have permission or\notherwise cannot create this folder."));
    return EnterDecision{};
}

LiveCheck CheckTypedPath(const std::string& text, FolderServices& services) {
    if (text == "\\\\")
        return LiveCheck::Ended;
    if (text == "\\")
        return LiveCheck::Navigate;
    if (IsDriveRoot(text))
        return IsValidDrive(text, services) ? LiveCheck::Navigate : LiveCheck::Ended;
    if (EndsWithBackslash(text)) {
        if (FitsPathBuffer(text) && services.Attributes(text) == PathKind::Folder)
            return LiveCheck::Navigate;
        return LiveCheck::Ended;
    }
    return LiveCheck::PassOn;
}

bool CompleteFolderName(const std::string& text, int selStart, int selEnd, FolderServices& services,
                        Completion& completion) {
    const int n = static_cast<int>(text.size());
    if (selStart != n)
        return false;
    const std::string pattern = text + "*";
    if (!FitsPathBuffer(pattern))
        return false;

    int folders = 0;
    std::string name;
    for (const FoundEntry& entry : services.FindEntries(pattern)) {
        if (entry.folder) {
            ++folders;
            name = entry.name;
        }
    }
    if (folders != 1)
        return false;

    // An all-capitals name reads better as a title: WINDOWS becomes Windows.
    if (!name.empty() &&
        std::none_of(name.begin(), name.end(), [](char c) { return IsBlank(c) || IsLower(c); }))
        name = name.substr(0, 1) + Lowered(name.substr(1));

    std::size_t cut = text.find_last_of('\\');
    if (cut == std::string::npos)
        cut = text.find_last_of('/');
    if (cut == std::string::npos)
        cut = text.find_last_of(':');
    const std::size_t typed = cut == std::string::npos ? text.size() : text.size() - cut - 1;
    // The search also matches short aliases, whose long name may be shorter than
    // what was typed: there is nothing to add then.
    if (name.size() < typed)
        return false;

    // The typed letter's case decides when it differs from the name's.
    if (n > 0 && typed > 0 && name[typed - 1] != text.back())
        name = IsUpper(text.back()) ? Uppered(name) : Lowered(name);

    const int added = static_cast<int>(name.size() - typed);
    completion.text = text + name.substr(typed);
    completion.selStart = selStart;
    completion.selEnd = selEnd + added;
    return true;
}

TypedResult AfterTypedCharacter(unsigned character, const std::string& text, int selStart,
                                int selEnd, FolderServices& services) {
    TypedResult result;
    switch (CheckTypedPath(text, services)) {
    case LiveCheck::Navigate:
        result.action = TypedResult::Action::Navigate;
        return result;
    case LiveCheck::Ended:
        return result;
    case LiveCheck::PassOn:
        break;
    }
    if (character != kBackspace &&
        CompleteFolderName(text, selStart, selEnd, services, result.completion))
        result.action = TypedResult::Action::Complete;
    return result;
}

} // namespace tavrik
