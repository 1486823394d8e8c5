#pragma once

// Fresh folders and whole-file reads for the engine's tests, on every platform.

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
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path path_;
};

// The formats written the plainest way, one byte at a time, to check the engine against.
inline std::string ReferenceC(const std::string& data, const std::string& label) {
    std::string text = "unsigned char " + label + "[] = {\r\n";
    char hex[8];
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0)
            text += i % 8 == 0 ? ",\r\n" : ", ";
        std::snprintf(hex, sizeof hex, "0x%02x", static_cast<unsigned char>(data[i]));
        text += hex;
    }
    return text + "};\r\n";
}

inline std::string ReferenceAsm(const std::string& data, const std::string& label) {
    std::string text = label + ":";
    char hex[8];
    for (std::size_t i = 0; i < data.size(); ++i) {
        text += i % 8 == 0 ? "\r\n\t.byte\t" : ", ";
        std::snprintf(hex, sizeof hex, "0x%02x", static_cast<unsigned char>(data[i]));
        text += hex;
    }
    return text + "\r\n";
}

} // namespace testfiles
