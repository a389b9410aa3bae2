// SPDX-License-Identifier: GPL-3.0-or-later
// The libgps driver against a real gpsd fed with the test log.
#include <gtest/gtest.h>

#include <array>

#include "platform/gps.h"
#include "tests/support/gpsd_harness.h"

namespace orbant {
namespace {

using namespace std::chrono_literals;
using testing::GpsdHarness;
using testing::wait_until;

TEST(LibgpsDriver, ReadsTheLogKeepsItWhileGpsdIsGoneAndReconnects) {
    GpsdHarness gpsd;
    std::string error;
    ASSERT_TRUE(gpsd.start(error)) << error;
    LibgpsDriver driver({"localhost", gpsd.port()});
    const auto device = driver.open_device();
    ASSERT_TRUE(device);

    GpsPosition r;
    ASSERT_TRUE(wait_until([&] { return device->get_position(r, 2s) && r.satellites_used == 8; }));
    EXPECT_EQ(r.utc_time.year, 2026);
    EXPECT_EQ(r.utc_time.month, 3);
    EXPECT_EQ(r.utc_time.day, 7);
    EXPECT_EQ(r.utc_time.hour, 9);
    EXPECT_EQ(r.utc_time.minute, 5);
    EXPECT_GE(r.utc_time.second, 1);
    EXPECT_LE(r.utc_time.second, 3);
    EXPECT_NEAR(r.latitude_deg, testing::log_latitude_deg, 1e-9);
    EXPECT_NEAR(r.longitude_deg, testing::log_longitude_deg, 1e-9);
    // RMC's 2.50 knots come back from gpsd's 1.286 m/s (rounded to mm/s).
    EXPECT_NEAR(r.speed_knots, 2.5, 0.001);
    EXPECT_NEAR(r.altitude_msl_m, 519.4, 1e-4);
    EXPECT_EQ(r.fix_type, gps_fix_3d);
    const std::array<std::int32_t, gps_max_satellites> snr = {45, 85, 99, 31, 38, 27, 52, 19, 0, 7, 0, 0};
    EXPECT_EQ(r.satellite_snr, snr);

    // gpsd goes away: the report ages out and the record stays as it was;
    // a new open finds no receiver.
    gpsd.stop_gpsd();
    const GpsPosition last = r;
    ASSERT_TRUE(wait_until([&] { return !device->get_position(r, 300ms); }, 10s));
    EXPECT_EQ(r, last);
    EXPECT_FALSE(driver.open_device());

    // gpsd is back: the device reconnects by itself.
    ASSERT_TRUE(gpsd.restart_gpsd(error)) << error;
    r = GpsPosition{};
    EXPECT_TRUE(wait_until([&] { return device->get_position(r, 2s) && r.satellites_used == 8; }));
}

}  // namespace
}  // namespace orbant
