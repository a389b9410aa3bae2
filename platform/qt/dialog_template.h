// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QSize>
#include <QString>
#include <map>
#include <span>
#include <utility>
#include <vector>

class QWidget;

namespace orbant {

// Kinds of controls a dialog template can hold, and the Qt widget each
// becomes.
enum class ControlKind {
    label,           // static text, QLabel
    text,            // static text with an id that the program writes, QLabel
    edit,            // single-line edit, QLineEdit
    button,          // push button, QPushButton (never the default)
    default_button,  // the dialog's default push button
    group_box,       // frame with an optional caption, QGroupBox (holds no children)
    check_box,       // QCheckBox
    radio_button,    // QRadioButton
    drop_down_list,  // non-editable drop-down list, QComboBox
    month_calendar,  // QCalendarWidget
    list_view,       // multi-column list in report form, QTreeView without tree lines (the page sets its model)
    progress_bar,    // QProgressBar
    area,            // plain QWidget (a drawing area)
};

// The static text of a template. A single-line text wider than the control
// (a value the program writes, such as "NoRises" in a narrow column) is drawn
// narrowed to the control's width instead of being cut off.
class TemplateLabel final : public QLabel {
public:
    using QLabel::QLabel;
    // The horizontal scale the current text is drawn at: 1 when it fits.
    double text_scale() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Flags of a control.
inline constexpr unsigned control_digits_only = 1u;  // edit accepts only the digits 0-9
inline constexpr unsigned control_read_only = 2u;    // edit shows text but cannot be typed in
inline constexpr unsigned control_multi_line = 4u;   // label text wraps
inline constexpr unsigned control_centered = 8u;     // label text centred
inline constexpr unsigned control_right = 16u;       // label text right-aligned

inline constexpr int no_control_id = -1;  // labels and frames the program never addresses

// One control of a template: id (no_control_id for static decoration), kind,
// caption (UTF-8, may be empty), position and size in dialog units.
struct ControlSpec {
    int id;
    ControlKind kind;
    const char* caption;
    int x, y, w, h;
    unsigned flags = 0;
};

// A dialog or page template: resource number, caption, size in dialog units,
// the template font and the controls in creation (tab) order.
struct DialogTemplate {
    int resource_id;
    const char* caption;
    int width_du;
    int height_du;
    const char* font_family;  // "Arial" stands for Liberation Sans
    int font_points;
    std::span<const ControlSpec> controls;
};

// How a built template is sized: a dialog keeps the template's size, a page
// of the sheet gets whatever area the sheet's window leaves it.
enum class TemplateSizing { fixed, follows_window };

// The page's factor: the one factor at which a template of `template_size`
// pixels fits `area`, the smaller of the two sides' ratios (below 1 the
// template shrinks, above 1 it grows). Pages, their controls and fonts, the
// dialogs and the tab bar all take it. 1 when either size is empty.
double template_fit_factor(QSize area, QSize template_size) noexcept;

// Standard page size of every page and dialog, dialog units.
inline constexpr int page_width_du = 162;
inline constexpr int page_height_du = 150;

// The template of a page of the sheet: the standard page size, Arial 8.
constexpr DialogTemplate page_template(int resource_id, const char* caption,
                                       std::span<const ControlSpec> controls) noexcept {
    return {resource_id, caption, page_width_du, page_height_du, "Arial", 8, controls};
}

// Letter spacing of the controls' text, per cent of the font's own (the
// dialog units come from the font at 100).
inline constexpr int text_letter_spacing_percent = 96;

// The font that stands in for a template font family at the given size.
QFont template_font(const char* family, int points);

// Dialog-unit scale of a font: the average character width (of the 52
// letters A-Z a-z, rounded) and the character height, pixels.
struct DialogUnits {
    int avg_char_width = 1;
    int char_height = 1;

    // du -> px: x = du * avgCharWidth / 4, y = du * charHeight / 8.
    int x_px(int du) const noexcept { return du * avg_char_width / 4; }
    int y_px(int du) const noexcept { return du * char_height / 8; }
    QRect rect_px(int x, int y, int w, int h) const noexcept {
        return QRect(x_px(x), y_px(y), x_px(w), y_px(h));
    }
};
DialogUnits dialog_units_of(const QFont& font);

// The widgets a template made on its parent, by control id.
class BuiltDialog {
public:
    // The widget of control `id`, or nullptr.
    QWidget* control(int id) const;
    template <class T>
    T* control_as(int id) const { return qobject_cast<T*>(control(id)); }

    const DialogUnits& units() const noexcept { return units_; }
    const std::map<int, QWidget*>& controls() const noexcept { return by_id_; }
    // The template's own size in pixels.
    QSize template_size() const noexcept { return template_size_; }

    // Fits the template into `area` (the page's or, for a dialog, the page
    // it opens over): every control's rectangle and the template font are
    // scaled by template_fit_factor(area, template size), down on a small
    // screen and up on a large one, so that the whole template shows at
    // the size of the area; the font does not go below min_fitted_points.
    // A dialog's fixed size follows. Returns the factor now in use.
    double fit_to(QWidget& parent, QSize area);
    double scale() const noexcept { return scale_; }

    static constexpr double min_fitted_points = 6.0;

private:
    friend BuiltDialog build_dialog(const DialogTemplate& tmpl, QWidget& parent, TemplateSizing sizing);
    std::map<int, QWidget*> by_id_;
    std::vector<std::pair<QWidget*, QRect>> placed_;  // every control and its unscaled rectangle
    DialogUnits units_;
    QSize template_size_;
    QFont font_;
    TemplateSizing sizing_ = TemplateSizing::fixed;
    double scale_ = 1.0;
};

// Makes the template's widgets on `parent` (which gets the template font;
// a dialog gets the template's size as its fixed size, fitted to the page
// it opens over when `parent` has a parent widget; a page keeps it only as
// its preferred size and follows the window it is shown in), places them
// by the dialog-unit rule, sets every addressed control's objectName to its
// id as decimal text and returns the id -> widget map. Static controls get
// no objectName.
BuiltDialog build_dialog(const DialogTemplate& tmpl, QWidget& parent,
                         TemplateSizing sizing = TemplateSizing::fixed);

}  // namespace orbant
