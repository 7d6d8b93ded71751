// BoxCheck: message boxes compared whole in expectations, and the box of a refused file.
#pragma once

#include "app/platform/User32Script.h"

#include <ostream>

inline bool operator==(const MessageBoxCall& a, const MessageBoxCall& b) {
    return a.owner == b.owner && a.text == b.text && a.caption == b.caption &&
           a.hasCaption == b.hasCaption && a.type == b.type;
}

// How GoogleTest prints a box that differs.
inline void PrintTo(const MessageBoxCall& box, std::ostream* out) {
    *out << "{owner " << box.owner << ", \"" << box.text << "\", "
         << (box.hasCaption ? "\"" + box.caption + "\"" : "no caption") << ", type 0x" << std::hex
         << box.type << std::dec << "}";
}

namespace zxtest {

// "Invalid data!": the box of a missing or refused file, with no owner, no caption, error icon.
inline MessageBoxCall invalidDataBox() {
    return MessageBoxCall{nullptr, "Invalid data!", "", false, MB_ICONERROR};
}

// "data.zxp not exists!": the box of a missing or refused pack at start-up, a plain one.
inline MessageBoxCall missingPackBox() {
    return MessageBoxCall{nullptr, "data.zxp not exists!", "", false, MB_OK};
}

} // namespace zxtest
