// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gps.h"

#include <gps.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <ctime>
#include <limits>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>

namespace orbant {

namespace {

// "'TEXT': PROBLEM".
std::string endpoint_error(std::string_view text, std::string_view problem) {
    std::string error = "'";
    error.append(text);
    error.append("': ");
    error.append(problem);
    return error;
}

}  // namespace

bool parse_gpsd_endpoint(std::string_view text, GpsdEndpoint& endpoint, std::string& error) {
    std::string_view host = text;
    std::string_view port_text;
    bool has_port = false;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos) {
            error = endpoint_error(text, "missing ']' after the IPv6 address");
            return false;
        }
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') {
                error = endpoint_error(text, "expected ':' after ']'");
                return false;
            }
            port_text = rest.substr(1);
            has_port = true;
        }
    } else if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        if (text.find(':') != colon) {
            error = endpoint_error(text, "write an IPv6 address in brackets, [ADDRESS]:PORT");
            return false;
        }
        host = text.substr(0, colon);
        port_text = text.substr(colon + 1);
        has_port = true;
    }
    if (host.empty()) {
        error = endpoint_error(text, "the host is missing");
        return false;
    }
    std::uint16_t port = GpsdEndpoint{}.port;
    if (has_port) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(port_text.data(), port_text.data() + port_text.size(), value);
        if (port_text.empty() || ec != std::errc() || end != port_text.data() + port_text.size() || value < 1 ||
            value > 65535) {
            error = endpoint_error(text, "the port must be a number from 1 to 65535");
            return false;
        }
        port = static_cast<std::uint16_t>(value);
    }
    endpoint.host = std::string(host);
    endpoint.port = port;
    return true;
}

namespace {

using Clock = std::chrono::steady_clock;

// Messages read at most in one query, so that a flood from gpsd cannot hold
// the caller.
constexpr int max_messages_per_query = 256;

// Time between two attempts to reach gpsd again after it went away.
constexpr std::chrono::seconds reconnect_interval{1};

// Longest wait for gpsd to accept a connection (the loopback answers at
// once; a remote host may take a moment).
constexpr std::chrono::milliseconds connect_timeout{3000};

// Keeps SIGPIPE from ending the program while libgps writes to a socket
// whose far end has closed: the signal is blocked in this thread for the
// guard's life, and one raised meanwhile is taken back before unblocking.
class SigpipeGuard {
public:
    SigpipeGuard() {
        sigemptyset(&pipe_set_);
        sigaddset(&pipe_set_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        was_pending_ = sigismember(&pending, SIGPIPE) == 1;
        blocked_ = pthread_sigmask(SIG_BLOCK, &pipe_set_, &old_mask_) == 0;
    }
    ~SigpipeGuard() {
        if (!blocked_) return;
        if (!was_pending_) {
            sigset_t pending;
            sigpending(&pending);
            if (sigismember(&pending, SIGPIPE) == 1) {
                const timespec no_wait{0, 0};
                sigtimedwait(&pipe_set_, nullptr, &no_wait);
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
    }
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

private:
    sigset_t pipe_set_{};
    sigset_t old_mask_{};
    bool was_pending_ = false;
    bool blocked_ = false;
};

// The signal-to-noise ratio of a satellite as a whole number: gpsd's value
// cut toward zero, 0 when it has none (NaN), held within +-1000 dB.
std::int32_t whole_snr(double ss) {
    if (!std::isfinite(ss)) return 0;
    return static_cast<std::int32_t>(std::clamp(ss, -1000.0, 1000.0));
}

// A finite value in single precision, held within float's range (a larger
// double has no float value to convert to).
float single_precision(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

// Takes what one gpsd message brought into `record`. Values gpsd reports
// as unknown (NaN, time 0) and positions outside the globe leave the
// record's earlier values.
void take_report(const gps_data_t& data, GpsPosition& record) {
    const gps_fix_t& fix = data.fix;
    if ((data.set & TIME_SET) && fix.time.tv_sec > 0) {
        const std::time_t seconds = fix.time.tv_sec;
        std::tm utc{};
        if (gmtime_r(&seconds, &utc)) {
            record.utc_time = GpsUtcTime{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                                         utc.tm_hour,        utc.tm_min,     utc.tm_sec};
        }
    }
    if ((data.set & LATLON_SET) && std::isfinite(fix.latitude) && std::isfinite(fix.longitude) &&
        std::fabs(fix.latitude) <= 90.0 && std::fabs(fix.longitude) <= 180.0) {
        record.latitude_deg = fix.latitude;
        record.longitude_deg = fix.longitude;
    }
    if ((data.set & SPEED_SET) && std::isfinite(fix.speed))
        record.speed_knots = single_precision(fix.speed * knots_per_metre_per_second);
    if ((data.set & ALTITUDE_SET) && std::isfinite(fix.altMSL)) record.altitude_msl_m = single_precision(fix.altMSL);
    if (data.set & MODE_SET) record.fix_type = fix.mode;
    if (data.set & SATELLITE_SET) {
        record.satellites_used = data.satellites_used;
        const int in_view = std::clamp(data.satellites_visible, 0, std::min(gps_max_satellites, MAXCHANNELS));
        for (int i = 0; i < gps_max_satellites; ++i)
            record.satellite_snr[static_cast<std::size_t>(i)] = i < in_view ? whole_snr(data.skyview[i].ss) : 0;
    }
}

constexpr gps_mask_t report_fields =
    TIME_SET | LATLON_SET | SPEED_SET | ALTITUDE_SET | MODE_SET | SATELLITE_SET;

class LibgpsDevice final : public GpsDevice {
public:
    explicit LibgpsDevice(GpsdEndpoint endpoint)
        : endpoint_(std::move(endpoint)), data_(std::make_unique<gps_data_t>()) {}
    ~LibgpsDevice() override { disconnect(); }

    LibgpsDevice(const LibgpsDevice&) = delete;
    LibgpsDevice& operator=(const LibgpsDevice&) = delete;

    // Connects to gpsd and starts watching, waiting at most `timeout` for
    // gpsd to answer; true when it did.
    bool open(std::chrono::milliseconds timeout) {
        start_connecting();
        if (link_ == Link::connecting) finish_connecting(timeout);
        if (link_ == Link::connecting) drop();
        return link_ == Link::up;
    }

    bool get_position(GpsPosition& record, std::chrono::milliseconds max_age) override {
        if (link_ == Link::down && Clock::now() - last_attempt_ >= reconnect_interval) start_connecting();
        if (link_ == Link::connecting) {
            finish_connecting(std::chrono::milliseconds(0));
            // A host that never answers is given up and tried again later.
            if (link_ == Link::connecting && Clock::now() - last_attempt_ > connect_timeout) drop();
        }
        if (link_ == Link::up) read_waiting_messages();
        if (!has_report_ || Clock::now() - report_time_ > max_age) return false;
        record = latest_;
        return true;
    }

private:
    enum class Link { down, connecting, up };

    // libgps connects without waiting: gps_open returns while the
    // connection is still being made (at once on the loopback).
    void start_connecting() {
        last_attempt_ = Clock::now();
        *data_ = gps_data_t{};
        const std::string port = std::to_string(endpoint_.port);
        if (gps_open(endpoint_.host.c_str(), port.c_str(), data_.get()) != 0) return;
        // Reads must never wait: a message gpsd has only half sent would
        // otherwise hold the caller in recv.
        const int flags = fcntl(data_->gps_fd, F_GETFL);
        if (flags == -1 || fcntl(data_->gps_fd, F_SETFL, flags | O_NONBLOCK) == -1) {
            gps_close(data_.get());
            return;
        }
        link_ = Link::connecting;
    }

    // Waits up to `timeout` for the connection; once it stands, asks gpsd
    // for its reports.
    void finish_connecting(std::chrono::milliseconds timeout) {
        pollfd p{data_->gps_fd, POLLOUT, 0};
        const int ready = poll(&p, 1, static_cast<int>(timeout.count()));
        if (ready == 0 || (ready < 0 && errno == EINTR)) return;  // still connecting
        int socket_error = 0;
        socklen_t length = sizeof socket_error;
        if (ready < 0 || getsockopt(data_->gps_fd, SOL_SOCKET, SO_ERROR, &socket_error, &length) != 0 ||
            socket_error != 0) {
            drop();
            return;
        }
        SigpipeGuard guard;
        if (gps_stream(data_.get(), WATCH_ENABLE | WATCH_JSON, nullptr) != 0) {
            drop();
            return;
        }
        link_ = Link::up;
    }

    void read_waiting_messages() {
        for (int n = 0; n < max_messages_per_query && link_ == Link::up; ++n) {
            if (!gps_waiting(data_.get(), 0)) return;
            errno = 0;
            const int status = gps_read(data_.get(), nullptr, 0);
            if (status < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
                drop();  // gpsd closed the socket or it failed
                return;
            }
            if (status == 0) return;  // only part of a message is there yet
            if (data_->set & report_fields) {
                take_report(*data_, latest_);
                has_report_ = true;
                report_time_ = Clock::now();
            }
        }
    }

    // Closes the socket without a word to gpsd.
    void drop() {
        if (link_ == Link::down) return;
        gps_close(data_.get());
        link_ = Link::down;
    }

    void disconnect() {
        if (link_ == Link::up) {
            SigpipeGuard guard;
            gps_stream(data_.get(), WATCH_DISABLE, nullptr);
        }
        drop();
    }

    GpsdEndpoint endpoint_;
    std::unique_ptr<gps_data_t> data_;
    Link link_ = Link::down;
    Clock::time_point last_attempt_{};
    bool has_report_ = false;
    Clock::time_point report_time_{};
    GpsPosition latest_;
};

}  // namespace

std::unique_ptr<GpsDevice> LibgpsDriver::open_device() {
    auto device = std::make_unique<LibgpsDevice>(endpoint_);
    if (!device->open(connect_timeout)) return nullptr;
    return device;
}

class FakeGpsDriver::Device final : public GpsDevice {
public:
    explicit Device(FakeGpsDriver& driver) : driver_(driver) { ++driver_.open_devices_; }
    ~Device() override { --driver_.open_devices_; }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    bool get_position(GpsPosition& record, std::chrono::milliseconds) override {
        ++driver_.queries_;
        if (!driver_.has_report) return false;
        record = driver_.report;
        return true;
    }

private:
    FakeGpsDriver& driver_;
};

std::unique_ptr<GpsDevice> FakeGpsDriver::open_device() {
    if (!receiver_present) return nullptr;
    ++opened_;
    return std::make_unique<Device>(*this);
}

}  // namespace orbant
