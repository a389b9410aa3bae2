// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QSize>
#include <array>
#include <memory>
#include <string>

#include "core/sheet_state.h"
#include "ui/sheet_host.h"

class QTabWidget;

namespace orbant {

class DeviceClock;
class GpsDriver;
class UiServices;
class SheetPage;
class CSeite1;
class CSeite2;
class CSeite3;
class CSeite4;
class CSeite5;
class CSeite6;
class CSeite7;

inline constexpr const char* sheet_caption = "Orbant 3.62+";
inline constexpr int sheet_page_count = 7;
inline constexpr int tab_bar_points = 8;  // the tabs' font on the device

// The program's one window: a property sheet with seven pages in tab order
// "Zeit/Ort", "Horizont", "Mond", "Sonne", "Planeten", "Uebersicht",
// "Ereignisse" (tabs at the bottom). It owns all shared state, the clock
// tick (timer 1) and the stored settings.
class CAllControlsSheet : public QDialog, public SheetHost {
    Q_OBJECT
public:
    // Builds the pages and runs the sheet's initialisation: settings
    // ("Setup.dat" in settings_folder, written with the defaults when
    // missing or unreadable), timer 1, the body and star table, chart_stale,
    // read_clock, and the summer-time decision for the instant read.
    CAllControlsSheet(DeviceClock& clock, UiServices& ui, std::string settings_folder,
                      QWidget* parent = nullptr);
    ~CAllControlsSheet() override;

    SheetState& state() noexcept override { return state_; }
    const SheetState& state() const noexcept { return state_; }

    DeviceClock& clock() noexcept override { return clock_; }
    UiServices& ui() noexcept override { return ui_; }
    const std::string& settings_folder() const noexcept override { return settings_folder_; }
    QWidget& window_widget() noexcept override { return *this; }

    // The GPS driver the "GPS" button opens the receiver with: gpsd on
    // localhost:2947 unless another driver was set (the caller keeps it
    // alive for the sheet's life).
    GpsDriver& gps_driver() noexcept override { return gps_driver_ ? *gps_driver_ : *default_gps_driver_; }
    void set_gps_driver(GpsDriver& driver) noexcept { gps_driver_ = &driver; }

    // Reads the device's local time into current_time through the
    // seconds-since-1970 conversion (a device year before 1900 gives the
    // local time of second 0) and decides summer time for it.
    void read_clock() override;

    // The handler of timer 1.
    void tick();

    // Loads "Setup.dat" into stored_settings; on success copies the seven
    // stored values to the working values. Returns whether it was read.
    bool load_settings_into_working() override;

    // Copies stored_settings to the working values (latitude, longitude,
    // time zone, timer period, auto summer time, night mode, place name).
    void take_stored_into_working();

    // Writes stored_settings to "Setup.dat"; a failure is reported through
    // the message service and false is returned (in-memory values stay).
    bool save_stored_settings() override;

    // The pages, by class.
    CSeite1& seite1() const noexcept { return *seite1_; }
    CSeite2& seite2() const noexcept { return *seite2_; }
    CSeite3& seite3() const noexcept { return *seite3_; }
    CSeite4& seite4() const noexcept { return *seite4_; }
    CSeite5& seite5() const noexcept { return *seite5_; }
    CSeite6& seite6() const noexcept { return *seite6_; }
    CSeite7& seite7() const noexcept { return *seite7_; }

    // The page of tab `index` (0..6) and the tab widget.
    SheetPage* page_at_tab(int index) const;
    QTabWidget* tabs() const noexcept { return tabs_; }

    // The factor of the tab bar's font for a window of `window` pixels: the
    // pages' factor with a tab bar of the device's size, limited to what
    // shows all seven tabs side by side, and never below 1.
    double tab_bar_factor(QSize window) const;

    // Timer 1: running, and its period in milliseconds.
    bool clock_timer_running() const noexcept { return timer_id_ != 0; }
    int clock_timer_interval_ms() const noexcept { return timer_interval_ms_; }

protected:
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Escape does not close the sheet (what was typed would be lost); it
    // closes through the window's close button and Ctrl+Q.
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void initialise();
    void start_clock_timer();
    void stop_clock_timer();

    DeviceClock& clock_;
    UiServices& ui_;
    std::string settings_folder_;
    std::unique_ptr<GpsDriver> default_gps_driver_;
    GpsDriver* gps_driver_ = nullptr;
    SheetState state_;
    QTabWidget* tabs_ = nullptr;
    CSeite1* seite1_ = nullptr;
    CSeite2* seite2_ = nullptr;
    CSeite3* seite3_ = nullptr;
    CSeite4* seite4_ = nullptr;
    CSeite5* seite5_ = nullptr;
    CSeite6* seite6_ = nullptr;
    CSeite7* seite7_ = nullptr;
    std::array<SheetPage*, sheet_page_count> tab_pages_{};
    QSize unscaled_tab_bar_;  // the tab bar's size at tab_bar_points
    int timer_id_ = 0;
    int timer_interval_ms_ = 0;
};

}  // namespace orbant
