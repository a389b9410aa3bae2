// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

class QWidget;

namespace orbant {

class DeviceClock;
class GpsDriver;
class UiServices;
struct SheetState;

// What a page of the sheet needs from the sheet it belongs to: the shared
// state, the device's clock, the UI services, the GPS driver, the settings
// folder and file, and the sheet's window (its size stands for the device's
// screen). The sheet implements it; pages and their actions see only this.
class SheetHost {
public:
    virtual SheetState& state() noexcept = 0;
    virtual DeviceClock& clock() noexcept = 0;
    virtual UiServices& ui() noexcept = 0;
    virtual GpsDriver& gps_driver() noexcept = 0;
    virtual const std::string& settings_folder() const noexcept = 0;

    // Reads the device's local time into current_time and decides summer
    // time for it.
    virtual void read_clock() = 0;
    // Loads "Setup.dat" into stored_settings and, when read, the stored
    // values into the working values. Returns whether it was read.
    virtual bool load_settings_into_working() = 0;
    // Writes stored_settings to "Setup.dat"; false (reported) on failure.
    virtual bool save_stored_settings() = 0;

    // The sheet's window.
    virtual QWidget& window_widget() noexcept = 0;

protected:
    ~SheetHost() = default;
};

}  // namespace orbant
