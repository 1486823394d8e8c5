#pragma once

// The formats written the plainest way, one byte at a time, to check the engine against.
// Free of the test framework, so that the fuzz targets use the same reference.

#include <cstdio>
#include <string>

namespace testfiles {

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
