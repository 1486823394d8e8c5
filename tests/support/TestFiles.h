#pragma once

// Fresh folders and whole-file reads for the tests of every area, on every platform.

#include "tests/support/ReferenceFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace testfiles {

namespace fs = std::filesystem;

inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

inline std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(size, '\0');
    for (auto& c : s)
        c = static_cast<char>(gen() & 0xff);
    return s;
}

inline void WriteFile(const fs::path& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        static unsigned counter = 0;
        std::random_device rd;
        for (;;) {
            path_ = fs::temp_directory_path() /
                    ("tavrik-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
            if (fs::create_directory(path_))
                break;
        }
        text_ = path_.string();
    }
    ~TempDir() {
        std::error_code ec;
#ifdef _WIN32
        // A file dialog leaves the process in the folder it showed last, a current
        // folder cannot be removed, and neither can a read-only file.
        const std::string current = fs::current_path(ec).string();
        if (!ec && current.compare(0, path_.string().size(), path_.string()) == 0)
            fs::current_path(path_.parent_path(), ec);
        for (auto it = fs::recursive_directory_iterator(path_, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
        ec.clear();
#endif
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const {
        return path_;
    }
    // Lives as long as the folder, so that a caller may keep its c_str().
    const std::string& Path() const {
        return text_;
    }
    std::string operator/(const std::string& name) const {
        return (path_ / name).string();
    }

    // Writes a file into the folder; its full path.
    std::string File(const std::string& name, const std::string& content = "") const {
        const std::string file = *this / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        return file;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path path_;
    std::string text_;
};

} // namespace testfiles
