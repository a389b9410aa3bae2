// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/all_controls_sheet.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimerEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <iostream>

#include "core/settings_file.h"
#include "core/summer_time.h"
#include "ui/pages/cseite1.h"
#include "ui/pages/cseite2.h"
#include "ui/pages/cseite3.h"
#include "ui/pages/cseite4.h"
#include "ui/pages/cseite5.h"
#include "ui/pages/cseite6.h"
#include "ui/pages/cseite7.h"
#include "platform/clock.h"
#include "platform/gps.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/ui_services.h"

namespace orbant {

namespace {
constexpr int milliseconds_per_second = 1000;
constexpr int shortest_tick_seconds = 1;  // a shorter period would tick without pause
}  // namespace

CAllControlsSheet::CAllControlsSheet(DeviceClock& clock, UiServices& ui, std::string settings_folder,
                                     QWidget* parent)
    : QDialog(parent),
      clock_(clock),
      ui_(ui),
      settings_folder_(std::move(settings_folder)),
      default_gps_driver_(std::make_unique<LibgpsDriver>()) {
    setWindowTitle(QString::fromUtf8(sheet_caption));
    setObjectName(QStringLiteral("sheet"));
    state_.current_time = CivilDateTime{};
    state_.place_name.clear();

    tabs_ = new QTabWidget(this);
    tabs_->setTabPosition(QTabWidget::South);
    tabs_->setObjectName(QStringLiteral("tabs"));
    // The tabs in the pages' own font, as small as on the device; larger
    // windows enlarge it with the pages (resizeEvent).
    tabs_->tabBar()->setFont(template_font("Arial", tab_bar_points));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);

    seite1_ = new CSeite1(*this);
    seite2_ = new CSeite2(*this);
    seite3_ = new CSeite3(*this);
    seite4_ = new CSeite4(*this);
    seite5_ = new CSeite5(*this);
    seite6_ = new CSeite6(*this);
    seite7_ = new CSeite7(*this);
    tab_pages_ = {seite1_, seite6_, seite2_, seite3_, seite4_, seite5_, seite7_};
    for (SheetPage* p : tab_pages_) tabs_->addTab(p, p->caption());
    tabs_->setCurrentIndex(0);
    unscaled_tab_bar_ = tabs_->tabBar()->sizeHint();
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (SheetPage* p = page_at_tab(index)) p->activate();
    });

    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::WindowShortcut);
    connect(quit, &QShortcut::activated, this, &QDialog::reject);

    initialise();
}

double CAllControlsSheet::tab_bar_factor(QSize window) const {
    // The page's factor for a window whose tab bar is the device's size;
    // no larger than lets all seven tabs show side by side, never smaller
    // than the device's.
    const QSize page = seite1_->built().template_size();
    const double fit = template_fit_factor(window, QSize(page.width(), page.height() + unscaled_tab_bar_.height()));
    const double all_tabs = unscaled_tab_bar_.width() > 0
                                ? static_cast<double>(window.width()) / unscaled_tab_bar_.width()
                                : fit;
    return std::max(1.0, std::min(fit, all_tabs));
}

void CAllControlsSheet::resizeEvent(QResizeEvent* event) {
    // The tab bar grows with the pages' factor before the tab widget lays
    // out the new size.
    QFont font = template_font("Arial", tab_bar_points);
    font.setPointSizeF(tab_bar_points * tab_bar_factor(event->size()));
    if (tabs_->tabBar()->font() != font) tabs_->tabBar()->setFont(font);
    QDialog::resizeEvent(event);
}

void CAllControlsSheet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

CAllControlsSheet::~CAllControlsSheet() { stop_clock_timer(); }

SheetPage* CAllControlsSheet::page_at_tab(int index) const {
    if (index < 0 || index >= sheet_page_count) return nullptr;
    return tab_pages_[static_cast<std::size_t>(index)];
}

void CAllControlsSheet::initialise() {
    // The standard sheet initialisation creates and activates the first page.
    seite1_->ensure_initialised();
    seite1_->activate();

    // "Setup.dat", else the defaults, which become both the working and the
    // stored values and are written at once (but never over a file that
    // exists and only cannot be read).
    SettingsRecord stored = default_settings();
    const SettingsReadStatus status = load_settings_file(settings_folder_, stored, std::cerr);
    state_.stored_settings = stored;
    take_stored_into_working();
    if (defaults_to_be_written(status)) save_stored_settings();

    start_clock_timer();
    const CivilDateTime now = read_device_time(clock_);
    start_up_sheet_state(state_, stored, now, device_reading_instant(now, clock_.daylight_time_now()));
}

void CAllControlsSheet::take_stored_into_working() { orbant::take_stored_into_working(state_); }

bool CAllControlsSheet::load_settings_into_working() {
    if (!load_settings(settings_folder_, state_.stored_settings, std::cerr)) return false;
    take_stored_into_working();
    return true;
}

bool CAllControlsSheet::save_stored_settings() {
    std::string error;
    if (save_settings(settings_folder_, state_.stored_settings, error)) return true;
    ui_.message_box(this, QString::fromStdString(error), MessageKind::error);
    return false;
}

void CAllControlsSheet::start_clock_timer() {
    stop_clock_timer();
    // The stored period stays as it is; the timer never runs faster than
    // once a second.
    const int seconds = std::max(state_.timer_period, shortest_tick_seconds);
    timer_interval_ms_ = seconds > INT32_MAX / milliseconds_per_second ? INT32_MAX : seconds * milliseconds_per_second;
    timer_id_ = startTimer(timer_interval_ms_);
}

void CAllControlsSheet::stop_clock_timer() {
    if (timer_id_ != 0) killTimer(timer_id_);
    timer_id_ = 0;
}

void CAllControlsSheet::read_clock() {
    state_.current_time = read_device_time(clock_);
    state_.last_step = device_reading_instant(state_.current_time, clock_.daylight_time_now());
    decide_summer_time(state_);
}

void CAllControlsSheet::tick() {
    state_.tick_in_progress = 1;
    if (state_.clock_stopped == 0 && state_.view_busy == 0) {
        read_clock();
        switch (state_.active_page) {
        case 1: seite1_->update_page(); break;
        case 2:
            seite2_->update_page();
            seite2_->tick_picture_test();
            break;
        case 3: seite3_->update_page(); break;
        case 4: seite4_->update_page(); break;
        case 5: seite5_->invalidate(false); break;
        case 6: seite6_->invalidate(false); break;
        default: break;
        }
    }
    state_.tick_in_progress = 0;
}

void CAllControlsSheet::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_id_ && timer_id_ != 0) {
        tick();
        return;
    }
    QDialog::timerEvent(event);
}

void CAllControlsSheet::done(int result) {
    stop_clock_timer();
    QDialog::done(result);
}

}  // namespace orbant
