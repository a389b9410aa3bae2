// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sheet_page.h"

#include <QPainter>
#include <QResizeEvent>

#include "ui/sheet_host.h"

namespace orbant {

SheetPage::SheetPage(SheetHost& sheet, const DialogTemplate& tmpl, int page_number,
                     bool activation_sets_chart_stale)
    : QWidget(nullptr),
      sheet_(sheet),
      tmpl_(tmpl),
      page_number_(page_number),
      activation_sets_chart_stale_(activation_sets_chart_stale) {
    setObjectName(QString::number(tmpl.resource_id));
    setWindowTitle(caption());
    // Every page fills its area with the window colour, the drawing pages'
    // canvases included, so that all pages share one background.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    built_ = build_dialog(tmpl, *this, TemplateSizing::follows_window);
}

SheetState& SheetPage::state() const { return sheet_.state(); }

QSize SheetPage::sizeHint() const { return built_.template_size(); }

void SheetPage::invalidate(bool erase) {
    paint_pending_ = true;
    erase_pending_ = erase_pending_ || erase;
    update();
}

void SheetPage::activate() {
    if (activation_sets_chart_stale_) state().chart_stale = 1;
    ensure_initialised();
    on_activate();
}

void SheetPage::ensure_initialised() {
    if (initialised_) return;
    initialised_ = true;
    on_init_page();
}

void SheetPage::paintEvent(QPaintEvent*) {
    if (paint_pending_) {
        const bool erase = erase_pending_;
        paint_pending_ = false;
        erase_pending_ = false;
        on_paint(erase);
        if (page_number_ > 0) state().active_page = page_number_;
    }
    QPainter painter(this);
    draw(painter);
}

void SheetPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ensure_initialised();
    invalidate(true);
}

void SheetPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A window smaller than the template (a device's screen) scales the page
    // down until it all shows.
    built_.fit_to(*this, event->size());
    invalidate(true);
}

}  // namespace orbant
