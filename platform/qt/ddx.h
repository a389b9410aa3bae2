// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <cstdint>

class QLineEdit;
class QWidget;

namespace orbant {

class UiServices;

inline constexpr const char* ddx_integer_message = "Please enter an integer.";
inline constexpr const char* ddx_number_message = "Please enter a number.";

// Text to a 32-bit integer: optional blanks, an optional sign, decimal
// digits, optional blanks. False for anything else or a value outside
// the int32 range.
bool parse_ddx_int(const QString& text, std::int32_t& value);

// Text to a finite double in C notation (point as decimal separator,
// exponent allowed), optional blanks around it.
bool parse_ddx_double(const QString& text, double& value);

// Reads an integer field from an edit. On failure shows "Please enter an
// integer." through `ui`, gives the edit the focus and returns false; the
// field keeps its value.
bool ddx_read_int(QLineEdit* edit, std::int32_t& field, UiServices& ui, QWidget* parent);

// Reads a double field from an edit; "Please enter a number." on failure.
bool ddx_read_double(QLineEdit* edit, double& field, UiServices& ui, QWidget* parent);

// The range messages of the data exchange: "Please enter an integer
// between 1 and 86400." and "Please enter a number between -90 and 90."
// (the limits as ddx_double_text writes them).
QString ddx_integer_range_message(std::int32_t min, std::int32_t max);
QString ddx_number_range_message(double min, double max);

// The range check on an integer already read: a value outside min..max
// shows the range message, gives the edit the focus and returns false.
bool ddx_check_int_range(QLineEdit* edit, std::int32_t value, std::int32_t min, std::int32_t max, UiServices& ui,
                         QWidget* parent);

// As ddx_read_int and ddx_read_double, then a value outside min..max shows
// the range message, gives the edit the focus and returns false; the field
// keeps its value.
bool ddx_read_int_in_range(QLineEdit* edit, std::int32_t& field, std::int32_t min, std::int32_t max,
                           UiServices& ui, QWidget* parent);
bool ddx_read_double_in_range(QLineEdit* edit, double& field, double min, double max, UiServices& ui,
                              QWidget* parent);

// Writes fields to edits: integers as plain decimal, doubles with up to 15
// significant digits (C notation, locale-independent).
void ddx_write_int(QLineEdit* edit, std::int32_t field);
void ddx_write_double(QLineEdit* edit, double field);

// A double as the data exchange writes it ("%.15g", C locale).
QString ddx_double_text(double value);

}  // namespace orbant
