// CFileFind: a directory search. FindFile starts it; each FindNextFile moves to
// the next entry and tells whether another one follows, so the usual loop is
//   for (BOOL more = find.FindFile(p); more;) { more = find.FindNextFile(); ... }
#pragma once

#include "Afx.h"

class CFileFind {
  public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    BOOL FindFile(const std::string& pattern) {
        Close();
        m_hFind = ::FindFirstFileA(pattern.c_str(), &m_next);
        m_bMore = m_hFind != INVALID_HANDLE_VALUE;
        return m_bMore;
    }
    BOOL FindNextFile() {
        if (!m_bMore)
            return FALSE;
        m_found = m_next;
        m_bFound = true;
        m_bMore = ::FindNextFileA(m_hFind, &m_next) != FALSE;
        return m_bMore;
    }
    BOOL MatchesMask(DWORD dwMask) const {
        return m_bFound && (m_found.dwFileAttributes & dwMask) != 0;
    }
    // The entry's long name, without its folder.
    std::string GetFileName() const { return m_bFound ? std::string(m_found.cFileName) : ""; }
    void Close() {
        if (m_hFind != INVALID_HANDLE_VALUE)
            ::FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
        m_bMore = false;
        m_bFound = false;
    }

  private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_found{};
    WIN32_FIND_DATAA m_next{};
    bool m_bMore = false;
    bool m_bFound = false;
};
