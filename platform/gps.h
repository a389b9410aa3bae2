// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gps_position.h"

namespace orbant {

// Longest age of a report that a position query still accepts, as the GPS
// dialog asks for it.
inline constexpr std::chrono::milliseconds gps_max_report_age{60000};

// An open GPS receiver. Closing it is destroying it.
class GpsDevice {
public:
    virtual ~GpsDevice() = default;

    // Copies the newest report into `record` when one arrived no longer
    // than `max_age` ago and returns true. Otherwise (no report yet, the
    // report too old, the receiver gone) returns false and leaves `record`
    // as it was. Never waits for data.
    virtual bool get_position(GpsPosition& record, std::chrono::milliseconds max_age) = 0;
};

// The GPS driver: opens the receiver.
class GpsDriver {
public:
    virtual ~GpsDriver() = default;

    // The receiver, or nullptr when there is none.
    virtual std::unique_ptr<GpsDevice> open_device() = 0;
};

// Where gpsd listens.
struct GpsdEndpoint {
    std::string host = "localhost";
    std::uint16_t port = 2947;
};

// Reads "HOST:PORT", "HOST" (port 2947), "[IPv6]:PORT" or "[IPv6]". Returns
// false with `error` naming the problem for an empty host, a port that is
// not a number from 1 to 65535, or a stray bracket; `endpoint` is then
// unchanged.
bool parse_gpsd_endpoint(std::string_view text, GpsdEndpoint& endpoint, std::string& error);

// The receiver behind gpsd, reached with libgps. Opening connects and starts
// watching (JSON reports); there is no receiver when gpsd cannot be reached
// within 3 s (the loopback refuses or accepts at once; a host name is looked
// up first). A query reads only what the socket already holds, so it never
// waits, and keeps the newest position, speed, altitude, fix type,
// satellite count and signals with the host's (monotonic) time of arrival;
// speed is converted from metres per second to knots. When gpsd goes away
// the device keeps its last report and starts a new connection at most once
// a second, completing it over the following queries without waiting.
// Closing stops watching and disconnects.
class LibgpsDriver final : public GpsDriver {
public:
    explicit LibgpsDriver(GpsdEndpoint endpoint = {}) : endpoint_(std::move(endpoint)) {}

    std::unique_ptr<GpsDevice> open_device() override;

    const GpsdEndpoint& endpoint() const noexcept { return endpoint_; }

private:
    GpsdEndpoint endpoint_;
};

// A driver for tests: a receiver that is present or not, whose report the
// test sets. Counts the devices open so tests see that each is closed.
class FakeGpsDriver final : public GpsDriver {
public:
    bool receiver_present = true;
    // The report the receiver gives; without one every query fails.
    bool has_report = false;
    GpsPosition report;

    std::unique_ptr<GpsDevice> open_device() override;

    int opened() const noexcept { return opened_; }
    int open_devices() const noexcept { return open_devices_; }
    int queries() const noexcept { return queries_; }

private:
    class Device;
    int opened_ = 0;
    int open_devices_ = 0;
    int queries_ = 0;
};

// Speed over ground in knots of one in metres per second (1 knot = 1852 m per
// hour).
inline constexpr double knots_per_metre_per_second = 3600.0 / 1852.0;

}  // namespace orbant
