// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/ddx.h"

#include <QLineEdit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/qt/ui_services.h"

namespace orbant {

namespace {
std::string trimmed_latin(const QString& text) { return text.trimmed().toStdString(); }

// Drops a leading '+' (from_chars takes only '-'); false when what is left
// does not start a number, so that "+-1" and "+ 1" fail.
bool strip_plus_sign(std::string& s) {
    if (!s.empty() && s[0] == '+') {
        s.erase(0, 1);
        return !s.empty() && (std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.');
    }
    return !s.empty();
}
}  // namespace

bool parse_ddx_int(const QString& text, std::int32_t& value) {
    std::string s = trimmed_latin(text);
    if (!strip_plus_sign(s)) return false;
    std::int32_t v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v, 10);
    if (r.ec != std::errc{} || r.ptr != s.data() + s.size()) return false;
    value = v;
    return true;
}

bool parse_ddx_double(const QString& text, double& value) {
    std::string s = trimmed_latin(text);
    if (!strip_plus_sign(s)) return false;
    double v = 0.0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc{} || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ddx_read_int(QLineEdit* edit, std::int32_t& field, UiServices& ui, QWidget* parent) {
    if (edit && parse_ddx_int(edit->text(), field)) return true;
    ui.message_box(parent, QString::fromUtf8(ddx_integer_message), MessageKind::warning);
    if (edit) edit->setFocus();
    return false;
}

bool ddx_read_double(QLineEdit* edit, double& field, UiServices& ui, QWidget* parent) {
    if (edit && parse_ddx_double(edit->text(), field)) return true;
    ui.message_box(parent, QString::fromUtf8(ddx_number_message), MessageKind::warning);
    if (edit) edit->setFocus();
    return false;
}

QString ddx_integer_range_message(std::int32_t min, std::int32_t max) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max);
}

QString ddx_number_range_message(double min, double max) {
    return QStringLiteral("Please enter a number between %1 and %2.").arg(ddx_double_text(min), ddx_double_text(max));
}

namespace {
// Shows a range message for `edit` and gives it the focus; false.
bool refuse_out_of_range(QLineEdit* edit, const QString& message, UiServices& ui, QWidget* parent) {
    ui.message_box(parent, message, MessageKind::warning);
    if (edit) edit->setFocus();
    return false;
}
}  // namespace

bool ddx_check_int_range(QLineEdit* edit, std::int32_t value, std::int32_t min, std::int32_t max, UiServices& ui,
                         QWidget* parent) {
    if (value < min || value > max) return refuse_out_of_range(edit, ddx_integer_range_message(min, max), ui, parent);
    return true;
}

bool ddx_read_int_in_range(QLineEdit* edit, std::int32_t& field, std::int32_t min, std::int32_t max,
                           UiServices& ui, QWidget* parent) {
    std::int32_t value = field;
    if (!ddx_read_int(edit, value, ui, parent) || !ddx_check_int_range(edit, value, min, max, ui, parent))
        return false;
    field = value;
    return true;
}

bool ddx_read_double_in_range(QLineEdit* edit, double& field, double min, double max, UiServices& ui,
                              QWidget* parent) {
    double value = field;
    if (!ddx_read_double(edit, value, ui, parent)) return false;
    if (!(value >= min && value <= max))
        return refuse_out_of_range(edit, ddx_number_range_message(min, max), ui, parent);
    field = value;
    return true;
}

void ddx_write_int(QLineEdit* edit, std::int32_t field) {
    if (edit) edit->setText(QString::number(field));
}

QString ddx_double_text(double value) {
    // "%.15g" with the point as separator, whatever the user's locale.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}

void ddx_write_double(QLineEdit* edit, double field) {
    if (edit) edit->setText(ddx_double_text(field));
}

}  // namespace orbant
