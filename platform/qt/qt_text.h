// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <string_view>

namespace orbant {

// A UTF-8 text of the program's Qt-free layers as a QString.
inline QString qt_text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace orbant
