#include "platform/qt/dialog_template.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <cstring>

namespace orbant {

QFont template_font(const char* family, int points) {
    // The device's fonts and their metric-compatible stand-ins.
    QString name = QString::fromUtf8(family);
    if (name == "Arial" || name == "MS Shell Dlg" || name == "MS Sans Serif" || name == "Tahoma")
        name = QStringLiteral("Liberation Sans");
    QFont font(name, points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits dialog_units_of(const QFont& font) {
    const QFontMetrics fm(font);
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    DialogUnits u;
    // Average width of the 52 letters, rounded to the nearest pixel.
    u.avg_char_width = std::max(1, (fm.horizontalAdvance(letters) / 26 + 1) / 2);
    u.char_height = std::max(1, fm.height());
    return u;
}

QWidget* BuiltDialog::control(int id) const {
    auto it = by_id_.find(id);
    return it == by_id_.end() ? nullptr : it->second;
}

namespace {

QWidget* make_widget(const ControlSpec& c, QWidget& parent) {
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case ControlKind::label:
    case ControlKind::text: {
        auto* w = new QLabel(caption, &parent);
        Qt::Alignment align = Qt::AlignTop;
        align |= (c.flags & control_centered) ? Qt::AlignHCenter
                 : (c.flags & control_right)  ? Qt::AlignRight
                                              : Qt::AlignLeft;
        w->setAlignment(align);
        w->setWordWrap((c.flags & control_multi_line) != 0);
        w->setTextFormat(Qt::PlainText);
        return w;
    }
    case ControlKind::edit: {
        auto* w = new QLineEdit(caption, &parent);
        if (c.flags & control_digits_only)
            w->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), w));
        w->setReadOnly((c.flags & control_read_only) != 0);
        return w;
    }
    case ControlKind::button:
    case ControlKind::default_button: {
        auto* w = new QPushButton(caption, &parent);
        const bool is_default = c.kind == ControlKind::default_button;
        w->setAutoDefault(is_default);
        w->setDefault(is_default);
        return w;
    }
    case ControlKind::group_box: return new QGroupBox(caption, &parent);
    case ControlKind::check_box: return new QCheckBox(caption, &parent);
    case ControlKind::radio_button: return new QRadioButton(caption, &parent);
    case ControlKind::drop_down_list: {
        auto* w = new QComboBox(&parent);
        w->setEditable(false);
        return w;
    }
    case ControlKind::month_calendar: return new QCalendarWidget(&parent);
    case ControlKind::list_view: {
        auto* w = new QTreeWidget(&parent);
        w->setRootIsDecorated(false);
        w->setItemsExpandable(false);
        w->setUniformRowHeights(true);
        return w;
    }
    case ControlKind::progress_bar: {
        auto* w = new QProgressBar(&parent);
        w->setTextVisible(false);
        return w;
    }
    case ControlKind::area: return new QWidget(&parent);
    }
    return new QWidget(&parent);
}

}  // namespace

BuiltDialog build_dialog(const DialogTemplate& tmpl, QWidget& parent, TemplateSizing sizing) {
    BuiltDialog built;
    const QFont font = template_font(tmpl.font_family, tmpl.font_points);
    parent.setFont(font);
    built.units_ = dialog_units_of(font);
    built.template_size_ = QSize(built.units_.x_px(tmpl.width_du), built.units_.y_px(tmpl.height_du));
    if (sizing == TemplateSizing::fixed)
        parent.setFixedSize(built.template_size_);
    else
        parent.resize(built.template_size_);
    for (const ControlSpec& c : tmpl.controls) {
        QWidget* w = make_widget(c, parent);
        QRect r = built.units_.rect_px(c.x, c.y, c.w, c.h);
        if (c.kind == ControlKind::drop_down_list) {
            // A drop-down list's height in the template includes its open
            // list; the closed box is one edit line high.
            r.setHeight(std::min(r.height(), built.units_.y_px(12)));
        }
        w->setGeometry(r);
        if (c.id != no_control_id) {
            w->setObjectName(QString::number(c.id));
            built.by_id_[c.id] = w;
        }
    }
    return built;
}

}  // namespace orbant
