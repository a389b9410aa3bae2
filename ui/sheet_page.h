// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QWidget>

#include "core/sheet_state.h"
#include "platform/qt/dialog_template.h"

namespace orbant {

class SheetHost;

// The base of the seven pages of the sheet: a widget built from its dialog
// template, with the sheet it belongs to, control lookup by id, and the
// page protocol the sheet relies on:
// - update_page(): recompute for the tick (pages 1 to 4);
// - activation: pages 1 to 4 set chart_stale, then the page's own
//   on_activate() runs;
// - paint: when the page was invalidated (or shown, or resized) its paint
//   handler on_paint() runs on the next paint event, then active_page
//   becomes the page's number (0: the page never sets it).
class SheetPage : public QWidget {
    Q_OBJECT
public:
    SheetPage(SheetHost& sheet, const DialogTemplate& tmpl, int page_number,
              bool activation_sets_chart_stale);

    SheetHost& sheet() const noexcept { return sheet_; }
    SheetState& state() const;

    QWidget* control(int id) const { return built_.control(id); }
    template <class T>
    T* control_as(int id) const { return built_.control_as<T>(id); }
    const BuiltDialog& built() const noexcept { return built_; }
    const DialogTemplate& dialog_template() const noexcept { return tmpl_; }

    QString caption() const { return QString::fromUtf8(tmpl_.caption); }

    // The template's size: the page's size in the sheet's default window.
    // The page itself takes the area the sheet's tab widget gives it, and
    // gets a resize event with that width and height on every change.
    QSize sizeHint() const override;
    int page_number() const noexcept { return page_number_; }

    // Recomputes all values for current_time and the working place and
    // writes them into the controls. Pages 1 to 4 override it.
    virtual void update_page() {}

    // Runs after update_page() on a tick. The Moon page redraws its picture
    // here when the rounded illuminated percentage changed.
    virtual void tick_picture_test() {}

    // Asks for the paint handler to run at the next paint event; with
    // `erase` the page's drawing surface is cleared first.
    void invalidate(bool erase);

    // The page becomes the sheet's current page.
    void activate();

    // Runs the page's one-time initialisation if it has not run yet.
    void ensure_initialised();

    // True while a paint handler run is pending.
    bool paint_pending() const noexcept { return paint_pending_; }

protected:
    // One-time initialisation when the page first shows (after the sheet's
    // state exists).
    virtual void on_init_page() {}
    // The page's own activation work, after the chart_stale rule.
    virtual void on_activate() {}
    // The paint handler: show the page's values. `erase`: the invalidation
    // asked for erasing.
    virtual void on_paint(bool erase) { (void)erase; }
    // Draws onto the window on every paint event (canvas pages copy their
    // canvas here).
    virtual void draw(QPainter& painter) { (void)painter; }

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    SheetHost& sheet_;
    const DialogTemplate& tmpl_;
    BuiltDialog built_;
    int page_number_;
    bool activation_sets_chart_stale_;
    bool initialised_ = false;
    bool paint_pending_ = false;
    bool erase_pending_ = false;
};

}  // namespace orbant
