// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialog_template.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QRegularExpressionValidator>
#include <QTreeView>
#include <algorithm>
#include <cmath>
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

double TemplateLabel::text_scale() const {
    if (wordWrap() || text().isEmpty()) return 1.0;
    const int need = fontMetrics().horizontalAdvance(text());
    const int room = contentsRect().width();
    return need > room && room > 0 ? static_cast<double>(room) / need : 1.0;
}

void TemplateLabel::paintEvent(QPaintEvent* event) {
    const double scale = text_scale();
    if (scale >= 1.0) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect r = contentsRect();
    painter.translate(r.left(), r.top());
    painter.scale(scale, 1.0);
    const QRect wide(0, 0, fontMetrics().horizontalAdvance(text()), r.height());
    style()->drawItemText(&painter, wide, static_cast<int>(alignment()), palette(), isEnabled(), text(),
                          foregroundRole());
}

double template_fit_factor(QSize area, QSize template_size) noexcept {
    if (area.isEmpty() || template_size.isEmpty()) return 1.0;
    return std::min(static_cast<double>(area.width()) / template_size.width(),
                    static_cast<double>(area.height()) / template_size.height());
}

QWidget* BuiltDialog::control(int id) const {
    auto it = by_id_.find(id);
    return it == by_id_.end() ? nullptr : it->second;
}

namespace {

// The look of the device's controls where the desktop style differs in a way
// that costs the templates their room: a group box draws its frame's top edge
// through the middle of its caption, and check boxes and radio buttons have
// an indicator as high as the text with a narrow gap before the text.
class TemplateStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            if (widget) return std::max(7, QFontMetrics(widget->font()).ascent());
            break;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            if (widget) return std::max(2, QFontMetrics(widget->font()).averageCharWidth() / 2);
            break;
        default: break;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        if (control != CC_GroupBox) return QProxyStyle::subControlRect(control, option, sub, widget);
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        const QRect r = option->rect;
        const QFontMetrics fm(option->fontMetrics);
        // The frame's top edge runs through the middle of the caption line.
        const int top = fm.height() / 2;
        const QRect frame(r.left(), r.top() + top, r.width(), r.height() - top);
        switch (sub) {
        case SC_GroupBoxFrame: return frame;
        case SC_GroupBoxContents: return frame.adjusted(1, top + 1, -1, -1);
        case SC_GroupBoxLabel: {
            if (!box || box->text.isEmpty()) return {};
            const int inset = fm.averageCharWidth();
            const int width = std::min(fm.horizontalAdvance(box->text) + 2, r.width() - 2 * inset);
            return QRect(r.left() + inset, r.top(), std::max(0, width), fm.height());
        }
        default: return {};
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !box) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect label = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
        const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
        // An etched frame, a dark line with a light one inside and below it,
        // left open where the caption stands.
        painter->save();
        if (!label.isEmpty()) painter->setClipRegion(QRegion(option->rect).subtracted(QRegion(label)));
        painter->setBrush(Qt::NoBrush);
        painter->setPen(box->palette.color(QPalette::Mid));
        painter->drawRect(frame.adjusted(0, 0, -2, -2));
        painter->setPen(box->palette.color(QPalette::Light));
        painter->drawRect(frame.adjusted(1, 1, -1, -1));
        painter->restore();
        if (!label.isEmpty())
            proxy()->drawItemText(painter, label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic,
                                  box->palette, (box->state & State_Enabled) != 0, box->text,
                                  QPalette::WindowText);
    }
};

QStyle* template_style() {
    // One style for all templates, owned by the application.
    static QPointer<TemplateStyle> style;
    if (!style) {
        style = new TemplateStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QWidget* make_widget(const ControlSpec& c, QWidget& parent) {
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case ControlKind::label:
    case ControlKind::text: {
        auto* w = new TemplateLabel(caption, &parent);
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
        auto* w = new QTreeView(&parent);
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
    QFont font = template_font(tmpl.font_family, tmpl.font_points);
    built.units_ = dialog_units_of(font);
    // The desktop's hinted glyphs run a few per cent wider against the
    // dialog units than the device's, enough to push a label's last letter
    // out of its rectangle: the controls draw the font with its letters
    // text_letter_spacing_percent apart, after the units are taken.
    font.setLetterSpacing(QFont::PercentageSpacing, text_letter_spacing_percent);
    parent.setFont(font);
    built.font_ = font;
    built.template_size_ = QSize(built.units_.x_px(tmpl.width_du), built.units_.y_px(tmpl.height_du));
    built.sizing_ = sizing;
    if (sizing == TemplateSizing::fixed)
        parent.setFixedSize(built.template_size_);
    else
        parent.resize(built.template_size_);
    for (const ControlSpec& c : tmpl.controls) {
        QWidget* w = make_widget(c, parent);
        w->setStyle(template_style());
        QRect r = built.units_.rect_px(c.x, c.y, c.w, c.h);
        if (c.kind == ControlKind::drop_down_list) {
            // A drop-down list's height in the template includes its open
            // list; the closed box is one edit line high.
            r.setHeight(std::min(r.height(), built.units_.y_px(12)));
        }
        w->setGeometry(r);
        built.placed_.emplace_back(w, r);
        if (c.id != no_control_id) {
            w->setObjectName(QString::number(c.id));
            built.by_id_[c.id] = w;
        }
    }
    // A dialog takes the factor of the page it opens over: its template
    // is a page's size.
    if (sizing == TemplateSizing::fixed && parent.parentWidget())
        built.fit_to(parent, parent.parentWidget()->size());
    return built;
}

double BuiltDialog::fit_to(QWidget& parent, QSize area) {
    if (area.isEmpty() || template_size_.isEmpty()) return scale_;
    const double scale = template_fit_factor(area, template_size_);
    if (scale == scale_) return scale_;
    scale_ = scale;
    QFont font = font_;
    font.setPointSizeF(std::max(min_fitted_points, font_.pointSizeF() * scale));
    parent.setFont(font);
    // Edges are scaled, not sizes, so that controls that touch keep touching.
    const auto at = [scale](int px) { return static_cast<int>(std::lround(px * scale)); };
    for (const auto& [w, r] : placed_) {
        const int left = at(r.left()), top = at(r.top());
        w->setGeometry(left, top, at(r.left() + r.width()) - left, at(r.top() + r.height()) - top);
    }
    // A calendar sets its navigation bar's bold font once, when it is made;
    // the bar follows the factor like the rest.
    for (QCalendarWidget* calendar : parent.findChildren<QCalendarWidget*>(Qt::FindDirectChildrenOnly)) {
        QFont bold = font;
        bold.setBold(true);
        for (const char* name : {"qt_calendar_monthbutton", "qt_calendar_yearbutton", "qt_calendar_yearedit"})
            if (auto* part = calendar->findChild<QWidget*>(QLatin1String(name))) part->setFont(bold);
    }
    if (sizing_ == TemplateSizing::fixed)
        parent.setFixedSize(at(template_size_.width()), at(template_size_.height()));
    return scale_;
}

}  // namespace orbant
