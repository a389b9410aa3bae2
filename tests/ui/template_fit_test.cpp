// Every control's text fits its template rectangle at the template font:
// captions of labels, buttons, check boxes, radio buttons and group boxes,
// measured against the room the style leaves for the text.
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
#include <cstdlib>
#include <string>

#include "ui/dialogs/kalender_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/pages/cseite1.h"
#include "ui/pages/cseite2.h"
#include "ui/pages/cseite3.h"
#include "ui/pages/cseite4.h"
#include "ui/pages/cseite5.h"
#include "ui/pages/cseite6.h"
#include "ui/pages/cseite7.h"
#include "platform/qt/dialog_template.h"
#include "tests/app/sheet_fixture.h"

namespace orbant {
namespace {

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
    const DialogTemplate* templates[] = {&cseite1_template, &cseite2_template, &cseite3_template,
                                         &cseite4_template, &cseite5_template, &cseite6_template,
                                         &cseite7_template, &setup_dlg_template, &kalender_dlg_template};
    for (const DialogTemplate* t : templates) {
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

class ScreenFit : public testing::SheetFixture {};

// The window at the device's screen sizes shows every page whole, tab bar
// included, with every caption in its room.
TEST_F(ScreenFit, EveryPageShowsWholeOnBothScreens) {
    open_sheet();
    for (const QSize screen : {QSize(240, 320), QSize(320, 240)}) {
        sheet->resize(screen);
        settle();
        ASSERT_EQ(sheet->size(), screen);
        const std::string size = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
        QTabBar* bar = sheet->tabs()->tabBar();
        EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(QRect(bar->mapTo(sheet.get(), QPoint(0, 0)), bar->size())))
            << size << ": the tab bar";
        for (int tab = 0; tab < sheet_page_count; ++tab) {
            show_tab(tab);
            SheetPage& page = *sheet->page_at_tab(tab);
            EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(QRect(page.mapTo(sheet.get(), QPoint(0, 0)), page.size())))
                << size << ": page " << tab;
            EXPECT_GE(QFontInfo(page.font()).pointSizeF(), BuiltDialog::min_fitted_points) << "readable";
            expect_page_fits(page, size + " page " + page.caption().toStdString());
            // ORBANT_PAGE_PHOTOS=folder keeps a photograph of each page to look at.
            if (const char* folder = std::getenv("ORBANT_PAGE_PHOTOS"))
                sheet->grab().save(QString::fromUtf8(folder) + QStringLiteral("/%1-%2.png").arg(QString::fromStdString(size)).arg(tab));
        }
    }
}

}  // namespace
}  // namespace orbant
