// SPDX-License-Identifier: GPL-3.0-or-later
// Properties of every dialog and page template and of the widgets built
// from it: ids, kinds, captions and places; and every control's text fits its
// template rectangle at the template font (captions of labels, buttons, check
// boxes, radio buttons and group boxes, measured against the room the style
// leaves for the text).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/gps.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/ui_services.h"
#include "tests/app/sheet_fixture.h"
#include "ui/dialogs/cgps_dialog.h"
#include "ui/dialogs/kalender_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/pages/cseite1.h"
#include "ui/pages/cseite2.h"
#include "ui/pages/cseite3.h"
#include "ui/pages/cseite4.h"
#include "ui/pages/cseite5.h"
#include "ui/pages/cseite6.h"
#include "ui/pages/cseite7.h"

namespace orbant {
namespace {

// Every template of the program: the seven pages, then the three dialogs.
const DialogTemplate* const all_templates[] = {
    &cseite1_template, &cseite2_template, &cseite3_template,   &cseite4_template,      &cseite5_template,
    &cseite6_template, &cseite7_template, &setup_dlg_template, &kalender_dlg_template, &cgps_dialog_template};

// The Qt class each kind of control becomes.
const char* widget_class_of(ControlKind kind) {
    switch (kind) {
    case ControlKind::label:
    case ControlKind::text: return "QLabel";
    case ControlKind::edit: return "QLineEdit";
    case ControlKind::button:
    case ControlKind::default_button: return "QPushButton";
    case ControlKind::group_box: return "QGroupBox";
    case ControlKind::check_box: return "QCheckBox";
    case ControlKind::radio_button: return "QRadioButton";
    case ControlKind::drop_down_list: return "QComboBox";
    case ControlKind::month_calendar: return "QCalendarWidget";
    case ControlKind::list_view: return "QTreeView";
    case ControlKind::progress_bar: return "QProgressBar";
    case ControlKind::area: return "QWidget";
    }
    return "?";
}

// The caption a built widget shows: a button's, a frame's or a label's.
QString shown_caption(const QWidget& w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(&w)) return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(&w)) return g->title();
    if (auto* l = qobject_cast<const QLabel*>(&w)) return l->text();
    return {};
}

// The rectangle a control covers on a page, dialog units; a drop-down
// list's template height includes its open list, the closed box is one edit
// line (12 units) high.
QRect covered_du(const ControlSpec& c) {
    return QRect(c.x, c.y, c.w, c.kind == ControlKind::drop_down_list ? std::min(c.h, 12) : c.h);
}

TEST(Templates, IdsSizesAndPlaces) {
    std::set<int> resources;
    for (const DialogTemplate* t : all_templates) {
        SCOPED_TRACE(t->resource_id);
        EXPECT_TRUE(resources.insert(t->resource_id).second) << "resource numbers are unique";
        EXPECT_EQ(t->width_du, page_width_du);
        EXPECT_EQ(t->height_du, page_height_du);
        std::set<int> ids;
        const QRect page(0, 0, t->width_du, t->height_du);
        for (const ControlSpec& c : t->controls) {
            SCOPED_TRACE(c.id);
            EXPECT_TRUE(page.contains(QRect(c.x, c.y, c.w, c.h))) << "inside the template";
            EXPECT_GT(c.w, 0);
            EXPECT_GT(c.h, 0);
            if (c.id == no_control_id) {
                // Only static decoration goes without an id.
                EXPECT_TRUE(c.kind == ControlKind::label || c.kind == ControlKind::group_box);
                continue;
            }
            EXPECT_TRUE(ids.insert(c.id).second) << "ids are unique within a template";
            EXPECT_NE(c.kind, ControlKind::label) << "a label with an id is a text the program writes";
            // Ids 1 and 2 are the dialog's "OK" (default) and cancel buttons;
            // every other control's id is 1000 or more.
            if (c.id == id_dialog_ok) {
                EXPECT_EQ(c.kind, ControlKind::default_button);
            } else if (c.id == id_dialog_cancel) {
                EXPECT_EQ(c.kind, ControlKind::button);
            } else {
                EXPECT_GE(c.id, 1000);
            }
            EXPECT_TRUE(c.kind != ControlKind::default_button || c.id == id_dialog_ok);
        }
        // No two controls overlap, except that a group box frames the
        // controls inside it (and crosses none).
        for (std::size_t i = 0; i < t->controls.size(); ++i) {
            const ControlSpec& a = t->controls[i];
            for (std::size_t j = i + 1; j < t->controls.size(); ++j) {
                const ControlSpec& b = t->controls[j];
                const QRect ra = covered_du(a), rb = covered_du(b);
                if (!ra.intersects(rb)) continue;
                const bool framed = (a.kind == ControlKind::group_box && ra.contains(rb)) ||
                                    (b.kind == ControlKind::group_box && rb.contains(ra));
                EXPECT_TRUE(framed) << "controls " << i << " (" << a.caption << ") and " << j << " ("
                                    << b.caption << ") overlap";
            }
        }
    }
}

// Each built control: the widget of its id with the id as its name, the Qt
// class of its kind, its caption, and its place by the dialog-unit rule.
void expect_built_as_template(const DialogTemplate& t, const QWidget& parent, const BuiltDialog& built,
                              bool placed_by_template) {
    SCOPED_TRACE(t.resource_id);
    const QObjectList children = parent.children();
    ASSERT_GE(children.size(), static_cast<qsizetype>(t.controls.size()));
    const DialogUnits& u = built.units();
    std::size_t addressed = 0;
    for (std::size_t i = 0; i < t.controls.size(); ++i) {
        const ControlSpec& c = t.controls[i];
        SCOPED_TRACE(c.id);
        auto* w = qobject_cast<QWidget*>(children[static_cast<qsizetype>(i)]);
        ASSERT_NE(w, nullptr) << "the controls are the first children, in template order";
        EXPECT_TRUE(w->inherits(widget_class_of(c.kind))) << w->metaObject()->className();
        if (c.id == no_control_id) {
            EXPECT_TRUE(w->objectName().isEmpty());
        } else {
            ++addressed;
            EXPECT_EQ(w, built.control(c.id));
            EXPECT_EQ(w->objectName(), QString::number(c.id));
        }
        // Texts and edits show what the program writes into them.
        if (c.kind != ControlKind::text && c.kind != ControlKind::edit) {
            EXPECT_EQ(shown_caption(*w), QString::fromUtf8(c.caption));
        }
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(b->isDefault(), c.kind == ControlKind::default_button);
        }
        if (placed_by_template) {
            const QRect r = covered_du(c);
            EXPECT_EQ(w->geometry(), u.rect_px(r.x(), r.y(), r.width(), r.height()));
        }
    }
    EXPECT_EQ(built.controls().size(), addressed);
}

TEST(Templates, BuiltControlsFollowTheirTemplate) {
    for (const DialogTemplate* t : all_templates) {
        QWidget parent;
        const BuiltDialog built = build_dialog(*t, parent);
        EXPECT_EQ(QFontInfo(parent.font()).family(), "Liberation Sans");
        EXPECT_EQ(parent.font().pointSize(), t->font_points);
        EXPECT_EQ(parent.size(), QSize(built.units().x_px(page_width_du), built.units().y_px(page_height_du)));
        expect_built_as_template(*t, parent, built, true);
    }
}

// The program's own pages and dialogs are built from their templates and
// keep the captions (the texts it writes aside) until they first show.
class BuiltTemplates : public testing::SheetFixture {};

TEST_F(BuiltTemplates, PagesAndDialogsAreTheirTemplates) {
    open_sheet();
    std::set<const DialogTemplate*> seen;
    for (int tab = 0; tab < sheet_page_count; ++tab) {
        const SheetPage& page = *sheet->page_at_tab(tab);
        const DialogTemplate& t = page.dialog_template();
        seen.insert(&t);
        EXPECT_EQ(page.built().scale(), 1.0) << "the window holds the template unscaled";
        // The overview and horizon pages place their controls by their drawing.
        const bool placed = &t != &cseite5_template && &t != &cseite6_template;
        expect_built_as_template(t, page, page.built(), placed);
    }
    EXPECT_EQ(seen, std::set<const DialogTemplate*>(all_templates, all_templates + sheet_page_count))
        << "every page once";

    ScriptedUiServices dialog_ui;
    CSetupDlg setup(dialog_ui);
    expect_built_as_template(setup_dlg_template, setup, setup.built(), true);
    CKalenderDLG calendar;
    expect_built_as_template(kalender_dlg_template, calendar, calendar.built(), true);
    FakeGpsDriver gps;
    CGPSDialog gps_dialog(gps, dialog_ui);
    expect_built_as_template(cgps_dialog_template, gps_dialog, gps_dialog.built(), true);
}

// The width the widget's style leaves for its one line of text, pixels.
int text_room(QWidget& w) {
    QStyle& style = *w.style();
    if (auto* b = qobject_cast<QPushButton*>(&w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        if (b->isDefault()) o.features |= QStyleOptionButton::DefaultButton;
        return style.subElementRect(QStyle::SE_PushButtonContents, &o, b).width();
    }
    if (auto* c = qobject_cast<QCheckBox*>(&w)) {
        QStyleOptionButton o;
        o.initFrom(c);
        o.text = c->text();
        return style.subElementRect(QStyle::SE_CheckBoxContents, &o, c).width();
    }
    if (auto* r = qobject_cast<QRadioButton*>(&w)) {
        QStyleOptionButton o;
        o.initFrom(r);
        o.text = r->text();
        return style.subElementRect(QStyle::SE_RadioButtonContents, &o, r).width();
    }
    if (auto* g = qobject_cast<QGroupBox*>(&w)) {
        QStyleOptionGroupBox o;
        o.initFrom(g);
        o.text = g->title();
        o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = style.subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
        // The caption may use the box's width less the frame's corners.
        return std::min(label.width(), g->width() - 2 * label.left());
    }
    return w.contentsRect().width();
}

// The caption that must fit: without the mnemonic marks and trailing blanks
// (which draw nothing); empty for a rule of dashes, which runs across its
// control and is cut where the control ends.
QString caption_of(QWidget& w) {
    QString text;
    if (auto* b = qobject_cast<QAbstractButton*>(&w)) text = b->text();
    if (auto* g = qobject_cast<QGroupBox*>(&w)) text = g->title();
    if (auto* l = qobject_cast<QLabel*>(&w); l && !l->wordWrap()) text = l->text();
    text.remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    if (!text.isEmpty() && text.count(QLatin1Char('-')) == text.size()) return {};
    return text;
}

TEST(TemplateFit, EveryCaptionFitsItsControl) {
    for (const DialogTemplate* t : all_templates) {
        QWidget parent;
        build_dialog(*t, parent);
        const QObjectList children = parent.children();
        ASSERT_EQ(children.size(), static_cast<qsizetype>(t->controls.size()));
        for (qsizetype i = 0; i < children.size(); ++i) {
            auto* w = qobject_cast<QWidget*>(children[i]);
            ASSERT_NE(w, nullptr);
            const QString text = caption_of(*w);
            if (text.isEmpty()) continue;
            const QFontMetrics fm(w->font());
            const int need = fm.horizontalAdvance(text);
            const int room = text_room(*w);
            EXPECT_LE(need, room) << t->resource_id << " \"" << text.toStdString() << "\" ("
                                  << w->metaObject()->className() << " " << w->width() << " px)";
            EXPECT_LE(fm.height(), w->height()) << t->resource_id << " \"" << text.toStdString() << "\"";
        }
    }
}

// A group box with a caption draws its frame's top edge through the middle
// of the caption line, above every control inside the box.
TEST(TemplateFit, GroupBoxFramesRunThroughTheirCaptions) {
    const DialogTemplate* templates[] = {&cseite1_template, &cseite3_template, &cseite7_template,
                                         &setup_dlg_template};
    int boxes = 0;
    for (const DialogTemplate* t : templates) {
        QWidget parent;
        build_dialog(*t, parent);
        for (QGroupBox* box : parent.findChildren<QGroupBox*>()) {
            if (box->title().isEmpty()) continue;
            ++boxes;
            const int edge = QFontMetrics(box->font()).height() / 2;
            const QImage image = box->grab().toImage();
            const QRgb frame = box->palette().color(QPalette::Mid).rgb();
            EXPECT_EQ(image.pixel(box->width() - 4, edge), frame) << t->resource_id << " " << box->title().toStdString();
            EXPECT_EQ(image.pixel(0, box->height() / 2 + edge / 2), frame) << "the left edge";
            const QRect inside = box->geometry();
            for (QWidget* w : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (w == box || !inside.contains(w->geometry().center())) continue;
                EXPECT_GT(w->y(), box->y() + edge) << t->resource_id << " " << box->title().toStdString()
                                                   << ": a control crossed by the frame";
            }
        }
    }
    EXPECT_EQ(boxes, 6);
}

// A value wider than its text control is narrowed to fit, not cut off.
TEST(TemplateFit, AValueWiderThanItsFieldIsNarrowedToIt) {
    QWidget parent;
    build_dialog(cseite4_template, parent);
    auto* rise = dynamic_cast<TemplateLabel*>(parent.findChild<QLabel*>(QString::number(planet_rows[0].rise_id)));
    ASSERT_NE(rise, nullptr);
    EXPECT_EQ(rise->text_scale(), 1.0) << "the placeholder fits";
    rise->setText(QStringLiteral("NoRises"));
    const double scale = rise->text_scale();
    EXPECT_LT(scale, 1.0);
    EXPECT_GE(scale, 0.7) << "still readable";
    EXPECT_LE(scale * rise->fontMetrics().horizontalAdvance(rise->text()), rise->contentsRect().width());
}

// Every control's caption against its room, and every control inside
// `page`'s rectangle.
void expect_page_fits(QWidget& page, const std::string& where) {
    const QRect inside(QPoint(0, 0), page.size());
    for (QObject* child : page.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        EXPECT_TRUE(inside.contains(w->geometry())) << where << ": " << w->metaObject()->className() << " "
                                                    << w->objectName().toStdString() << " at " << w->x() << ","
                                                    << w->y() << " " << w->width() << "x" << w->height();
        const QString text = caption_of(*w);
        if (text.isEmpty()) continue;
        EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(text), text_room(*w))
            << where << ": \"" << text.toStdString() << "\"";
    }
}

// One factor, down and up: a template fitted to an area takes the smaller
// side's ratio for its controls' edges, its font and (a dialog) its size.
TEST(TemplateFit, OneFactorShrinksAndEnlarges) {
    QWidget probe;
    const QSize t = build_dialog(cseite1_template, probe).template_size();
    struct Case {
        QSize area;
        double factor;
    };
    const Case cases[] = {
        {t, 1.0},
        {QSize(t.width() / 2, t.height() * 3), 0.5},  // the narrower side decides
        {QSize(t.width() * 3, t.height() * 2), 2.0},
        {QSize(t.width() * 4, t.height() * 4), 4.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        // Halving an odd width loses half a pixel.
        const double within = 1.0 / t.width();
        EXPECT_NEAR(template_fit_factor(c.area, t), c.factor, within);
        QWidget dialog;
        BuiltDialog built = build_dialog(cseite1_template, dialog);
        EXPECT_NEAR(built.fit_to(dialog, c.area), c.factor, within);
        EXPECT_NEAR(dialog.font().pointSizeF(),
                    std::max(BuiltDialog::min_fitted_points, cseite1_template.font_points * c.factor), 0.05);
        EXPECT_NEAR(dialog.width(), t.width() * c.factor, 1.0) << "a dialog's size follows";
        EXPECT_NEAR(dialog.height(), t.height() * c.factor, 1.0);
        const ControlSpec& last = cseite1_template.controls.back();
        const QRect r = built.units().rect_px(last.x, last.y, last.w, last.h);
        const QWidget* w = qobject_cast<QWidget*>(dialog.children().at(static_cast<qsizetype>(cseite1_template.controls.size()) - 1));
        ASSERT_NE(w, nullptr);
        EXPECT_NEAR(w->geometry().right() + 1, (r.right() + 1) * c.factor, 1.0);
        EXPECT_NEAR(w->geometry().bottom() + 1, (r.bottom() + 1) * c.factor, 1.0);
    }
    EXPECT_DOUBLE_EQ(template_fit_factor(QSize(0, 100), t), 1.0) << "nothing to fit";
}

class ScreenFit : public testing::SheetFixture {};

// The window at the device's screen sizes and at desktop sizes shows every
// page whole, tab bar included, with every caption in its room; the form
// pages take at least 80 % of the page's width or height, and a dialog
// opened over a page takes the page's factor.
TEST_F(ScreenFit, EveryPageShowsWholeAtEverySize) {
    open_sheet();
    for (const QSize screen : {QSize(240, 320), QSize(320, 240), QSize(480, 640), QSize(800, 600),
                               QSize(1280, 900), QSize(1920, 1080)}) {
        sheet->resize(screen);
        settle();
        ASSERT_EQ(sheet->size(), screen);
        const std::string size = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
        QTabBar* bar = sheet->tabs()->tabBar();
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(QRect(bar->mapTo(sheet.get(), QPoint(0, 0)), bar->size())))
            << size << ": the tab bar";
        if (screen.width() >= 480) {
            EXPECT_LE(bar->sizeHint().width(), screen.width()) << size << ": all seven tabs show";
        }
        for (int tab = 0; tab < sheet_page_count; ++tab) {
            show_tab(tab);
            SheetPage& page = *sheet->page_at_tab(tab);
            EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(QRect(page.mapTo(sheet.get(), QPoint(0, 0)), page.size())))
                << size << ": page " << tab;
            EXPECT_GE(QFontInfo(page.font()).pointSizeF(), BuiltDialog::min_fitted_points) << "readable";
            expect_page_fits(page, size + " page " + page.caption().toStdString());
            const DialogTemplate& t = page.dialog_template();
            if (&t != &cseite5_template && &t != &cseite6_template) {
                QRect form;
                for (QWidget* w : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) form |= w->geometry();
                if (&t == &cseite2_template) {
                    // The Moon page's texts and its picture's frame.
                    const MoonPictureLayout& l = sheet->seite2().layout();
                    form |= QRect(QPoint(l.frame_left, l.frame_top), QPoint(l.frame_right - 1, l.frame_bottom - 1));
                }
                EXPECT_TRUE(form.right() + 1 >= 0.8 * page.width() || form.bottom() + 1 >= 0.8 * page.height())
                    << size << " page " << page.caption().toStdString() << ": the form spans " << form.width()
                    << "x" << form.height() << " of " << page.width() << "x" << page.height();
            }
            // ORBANT_PAGE_PHOTOS=folder keeps a photograph of each page to look at.
            if (const char* folder = std::getenv("ORBANT_PAGE_PHOTOS"))
                sheet->grab().save(QString::fromUtf8(folder) + QStringLiteral("/%1-%2.png").arg(QString::fromStdString(size)).arg(tab));
        }
        SheetPage& first = *sheet->page_at_tab(0);
        ScriptedUiServices dialog_ui;
        FakeGpsDriver gps;
        CSetupDlg setup(dialog_ui, &first);
        CKalenderDLG calendar(&first);
        CGPSDialog gps_dialog(gps, dialog_ui, &first);
        const std::pair<QDialog*, const BuiltDialog*> dialogs[] = {
            {&setup, &setup.built()}, {&calendar, &calendar.built()}, {&gps_dialog, &gps_dialog.built()}};
        for (const auto& [dialog, built] : dialogs) {
            EXPECT_DOUBLE_EQ(built->scale(), first.built().scale()) << size << " " << dialog->objectName().toStdString();
            EXPECT_LE(dialog->width(), first.width() + 1) << size;
            EXPECT_LE(dialog->height(), first.height() + 1) << size;
            expect_page_fits(*dialog, size + " dialog " + dialog->objectName().toStdString());
            if (const char* folder = std::getenv("ORBANT_PAGE_PHOTOS"))
                dialog->grab().save(QString::fromUtf8(folder) + QStringLiteral("/%1-%2.png").arg(QString::fromStdString(size), dialog->objectName()));
        }
    }
}

}  // namespace
}  // namespace orbant
