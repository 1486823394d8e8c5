// A small file system of drives, folders and files for the folder picker's
// rules, with scripted answers to the create question and a record of what
// the rules asked, showed and created.
#pragma once

#include "folderpicker/FolderPathRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

class FakeFolders : public tavrik::FolderServices {
  public:
    // Drive letters and their types; any other drive has none (type 1).
    std::map<char, unsigned> drives{{'C', 3},
                                    {'R', tavrik::kDriveRemovable},
                                    {'N', tavrik::kDriveRemote},
                                    {'D', tavrik::kDriveCdRom}};
    // Creation fails below these folders (as on a read-only medium).
    std::vector<std::string> readOnly;
    std::deque<bool> answers; // to the create question; No when none is left

    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<std::string> created;

    void AddFolder(const std::string& path) {
        m_entries[Key(path)] = {path, tavrik::PathKind::Folder};
    }
    void AddFile(const std::string& path) { m_entries[Key(path)] = {path, tavrik::PathKind::File}; }
    // A short name under which the search also finds a folder.
    void AddAlias(const std::string& alias, const std::string& folder) {
        m_aliases[Key(alias)] = folder;
    }

    tavrik::PathKind Attributes(const std::string& path) override {
        CheckLength(path);
        std::string key = Key(path);
        // A folder answers with and without one trailing backslash.
        if (key.size() > 3 && key.back() == '\\')
            key.pop_back();
        if (key.size() == 3 && key[1] == ':' && key[2] == '\\')
            return DriveType(path) > tavrik::kDriveNoRootDir ? tavrik::PathKind::Folder
                                                             : tavrik::PathKind::Missing;
        auto it = m_entries.find(key);
        return it == m_entries.end() ? tavrik::PathKind::Missing : it->second.kind;
    }
    unsigned DriveType(const std::string& root) override {
        EXPECT_EQ(root.size(), 3u) << root;
        char letter = root.empty() ? '\0' : root[0];
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 'a' + 'A');
        auto it = drives.find(letter);
        return it == drives.end() ? tavrik::kDriveNoRootDir : it->second;
    }
    bool CreateFolderChain(const std::string& path) override {
        EXPECT_EQ(path.back(), '\\') << path;
        for (const std::string& below : readOnly)
            if (Key(path).rfind(Key(below), 0) == 0)
                return false;
        created.push_back(path);
        AddFolder(path.substr(0, path.size() - 1));
        return true;
    }
    std::vector<tavrik::FoundEntry> FindEntries(const std::string& pattern) override {
        CheckLength(pattern);
        EXPECT_EQ(pattern.back(), '*') << pattern;
        std::string wanted = Key(pattern.substr(0, pattern.size() - 1));
        std::vector<tavrik::FoundEntry> found;
        for (const auto& [key, entry] : m_entries)
            if (key.rfind(wanted, 0) == 0 && key.find('\\', wanted.size()) == std::string::npos &&
                SameFolder(key, wanted))
                found.push_back({NameOf(entry.path), entry.kind == tavrik::PathKind::Folder});
        for (const auto& [alias, folder] : m_aliases)
            if (alias.rfind(wanted, 0) == 0 && SameFolder(alias, wanted))
                found.push_back({NameOf(folder), true});
        return found;
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

  private:
    struct Entry {
        std::string path;
        tavrik::PathKind kind;
    };
    static std::string Key(std::string s) {
        std::replace(s.begin(), s.end(), '/', '\\');
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    static std::string NameOf(const std::string& path) {
        return path.substr(path.find_last_of("\\/") + 1);
    }
    static bool SameFolder(const std::string& key, const std::string& wanted) {
        return key.substr(0, key.find_last_of('\\') + 1) ==
               wanted.substr(0, wanted.find_last_of('\\') + 1);
    }
    static void CheckLength(const std::string& path) {
        EXPECT_LT(path.size(), tavrik::kMaxPathBytes) << "a fixed platform buffer would overflow";
    }
    std::map<std::string, Entry> m_entries;
    std::map<std::string, std::string> m_aliases;
};
