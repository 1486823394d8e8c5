// Reads an extended dialog template of the program's resources, so that tests
// can check what the resource compiler really produced.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

struct TemplateItem {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::string className; // a predefined class by name ("Button", "Edit", ...)
    std::string text;
};

struct DialogTemplate {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::string typeface;
    std::vector<TemplateItem> items;
};

namespace detail {

class Reader {
  public:
    explicit Reader(const BYTE* p) : base_(p), p_(p) {}
    template <typename T> T Get() {
        T value;
        std::memcpy(&value, p_, sizeof(T));
        p_ += sizeof(T);
        return value;
    }
    std::string String() {
        std::string text;
        for (WORD c = Get<WORD>(); c != 0; c = Get<WORD>())
            text += static_cast<char>(c);
        return text;
    }
    // A string, or an ordinal after 0xFFFF: a predefined class's name, else "#n".
    std::string StringOrOrdinal(bool isClass = false) {
        WORD first;
        std::memcpy(&first, p_, 2);
        if (first != 0xFFFF)
            return String();
        p_ += 2;
        WORD ordinal = Get<WORD>();
        static const char* const classes[] = {"Button",  "Edit",      "Static",
                                              "ListBox", "ScrollBar", "ComboBox"};
        if (isClass && ordinal >= 0x80 && ordinal <= 0x85)
            return classes[ordinal - 0x80];
        std::string name = std::to_string(ordinal);
        name.insert(name.begin(), '#');
        return name;
    }
    void AlignDword() {
        while ((p_ - base_) % 4)
            ++p_;
    }

  private:
    const BYTE* base_;
    const BYTE* p_;
};

} // namespace detail

inline bool LoadDialogTemplate(int id, DialogTemplate& dlg) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!resource)
        return false;
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
    detail::Reader r(p);
    if (r.Get<WORD>() != 1 || r.Get<WORD>() != 0xFFFF)
        return false; // not DIALOGEX
    r.Get<DWORD>();   // help id
    dlg.exStyle = r.Get<DWORD>();
    dlg.style = r.Get<DWORD>();
    WORD count = r.Get<WORD>();
    dlg.x = r.Get<short>();
    dlg.y = r.Get<short>();
    dlg.cx = r.Get<short>();
    dlg.cy = r.Get<short>();
    r.StringOrOrdinal(); // menu
    r.StringOrOrdinal(); // class
    dlg.caption = r.String();
    if (dlg.style & (DS_SETFONT | DS_SHELLFONT)) {
        dlg.pointSize = r.Get<WORD>();
        dlg.weight = r.Get<WORD>();
        dlg.italic = r.Get<BYTE>();
        dlg.charset = r.Get<BYTE>();
        dlg.typeface = r.String();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        TemplateItem item;
        r.Get<DWORD>(); // help id
        item.exStyle = r.Get<DWORD>();
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>();
        item.y = r.Get<short>();
        item.cx = r.Get<short>();
        item.cy = r.Get<short>();
        item.id = r.Get<DWORD>();
        item.className = r.StringOrOrdinal(true);
        item.text = r.StringOrOrdinal();
        WORD extra = r.Get<WORD>();
        for (WORD b = 0; b < extra; ++b)
            r.Get<BYTE>();
        dlg.items.push_back(item);
    }
    return true;
}
