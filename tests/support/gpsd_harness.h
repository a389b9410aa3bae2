// SPDX-License-Identifier: GPL-3.0-or-later
// A real gpsd for the tests, reading a pseudo-terminal that a thread feeds
// with the NMEA sentences of tests/data/gps_fix_3d.nmea: no receiver and no
// network beyond the loopback. gpsd runs in the foreground on a free port
// and is stopped (and reaped) by the harness in every path; it is also
// killed by the kernel should the test process die first.
#pragma once
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace orbant::testing {

// What the GPS dialog shows for the log's last epoch, in dialog order
// (1063, 1064, 1078, 1079, 1065, 1066 to 1077). Worked out by hand from the
// sentences: 48°08.2200' N, 011°34.5000' E; 2.50 knots, which gpsd passes as
// 1.286 m/s and the driver turns back into knots, times 0.5144: 1.29 m/s;
// 519.4 m above sea level; eight satellites in the GSA sentence with a 3D
// fix; the twelve GSV signals 45 85 99 31 38 27 52 19 (none) 07 (none)
// (none).
inline const std::vector<std::string>& log_dialog_texts() {
    static const std::vector<std::string> texts = {
        "Geogr. Länge = 11.575000° Ost",   "Geogr. Breite = 48.137000° Nord",
        "UTC-Time = 07.03.2026, 09:05:03", "Geschw. = 1.29 m/s, Höhe = 519 m",
        "8 Satelliten erfasst  (3D)",      "Sat. 0  ****......",
        "Sat. 1  *********.",              "Sat. 2  **********",
        "Sat. 3  ***.......",              "Sat. 4  ***.......",
        "Sat. 5  **........",              "Sat. 6  *****.....",
        "Sat. 7  *.........",              "Sat. 8  ..........",
        "Sat. 9  ..........",              "Sat. 10  ..........",
        "Sat. 11  ..........",
    };
    return texts;
}
inline constexpr double log_latitude_deg = 48.137;
inline constexpr double log_longitude_deg = 11.575;

// Polls `done` every 20 ms until it holds or `timeout` passes; generous
// timeouts keep the tests steady on a loaded machine.
inline bool wait_until(const std::function<bool()>& done,
                       std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class GpsdHarness {
public:
    GpsdHarness() = default;
    GpsdHarness(const GpsdHarness&) = delete;
    GpsdHarness& operator=(const GpsdHarness&) = delete;
    ~GpsdHarness() {
        stop_feeding_thread();
        stop_gpsd();
        if (master_ >= 0) ::close(master_);
        if (slave_ >= 0) ::close(slave_);
    }

    // Opens the terminal, starts gpsd on a free port and starts feeding the
    // log in a loop. False with `error` set when something fails.
    bool start(std::string& error) {
        if (!read_log(error) || !open_terminal(error)) return false;
        for (int attempt = 0; attempt < 5; ++attempt) {
            port_ = free_port();
            if (port_ != 0 && start_gpsd(error)) {
                feeder_ = std::thread([this] { feed(); });
                return true;
            }
        }
        if (error.empty()) error = "gpsd did not start";
        return false;
    }

    std::uint16_t port() const noexcept { return port_; }

    // Ends gpsd (SIGTERM, then SIGKILL after 10 s) and reaps it.
    void stop_gpsd() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        const bool ended = wait_until([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; },
                                      std::chrono::seconds(10));
        if (!ended) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }

    // Starts gpsd again on the same port.
    bool restart_gpsd(std::string& error) { return start_gpsd(error); }

    // The feeder finishes the log's pass it is in (ending on the last
    // epoch) and then stays quiet until resume_feeding().
    void hold_after_pass() { hold_ = true; }
    void resume_feeding() { hold_ = false; }

private:
    bool read_log(std::string& error) {
        std::ifstream in(std::string(ORBANT_SOURCE_DIR) + "/tests/data/gps_fix_3d.nmea", std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        std::istringstream lines(all.str());
        std::string line;
        std::string epoch;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            // Each epoch starts with its RMC sentence.
            if (line.rfind("$GPRMC", 0) == 0 && !epoch.empty()) {
                epochs_.push_back(epoch);
                epoch.clear();
            }
            epoch += line + "\r\n";
        }
        if (!epoch.empty()) epochs_.push_back(epoch);
        if (epochs_.empty()) error = "tests/data/gps_fix_3d.nmea is missing or empty";
        return !epochs_.empty();
    }

    bool open_terminal(std::string& error) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            error = "cannot open a pseudo-terminal";
            return false;
        }
        const char* name = ::ptsname(master_);
        if (!name) {
            error = "pseudo-terminal without a name";
            return false;
        }
        slave_name_ = name;
        // The harness keeps the terminal's device side open, so that the
        // terminal lives on while gpsd is stopped.
        slave_ = ::open(slave_name_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0) {
            error = "cannot open " + slave_name_;
            return false;
        }
        termios t{};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
        // gpsd may drop root's privileges before it opens the device again.
        ::fchmod(slave_, 0666);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        return true;
    }

    static std::uint16_t free_port() {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (s < 0) return 0;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        std::uint16_t port = 0;
        if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0)
            port = ntohs(a.sin_port);
        ::close(s);
        return port;
    }

    // True when the gpsd on our port answers and reads our terminal (and
    // is not another test's gpsd that happened to get the same port).
    bool serves_our_terminal() const {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (s < 0) return false;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(port_);
        timeval wait{1, 0};
        ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        std::string reply;
        const std::string request = "?DEVICES;\n";
        if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::send(s, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
            const std::string ours = "\"path\":\"" + slave_name_ + "\"";
            char buffer[4096];
            ssize_t n = 0;
            while (reply.find(ours) == std::string::npos && reply.size() < 65536 &&
                   (n = ::recv(s, buffer, sizeof buffer, 0)) > 0)
                reply.append(buffer, static_cast<std::size_t>(n));
            ::close(s);
            return reply.find(ours) != std::string::npos;
        }
        ::close(s);
        return false;
    }

    bool start_gpsd(std::string& error) {
        const std::string program = ORBANT_GPSD_PATH;
        if (::access(program.c_str(), X_OK) != 0) {
            error = "gpsd not found (" + program + "); scripts/install-deps.sh installs it";
            return false;
        }
        // -N foreground, -n read the device without waiting for a client,
        // -b never write to the device, -S the port.
        const std::string port_text = std::to_string(port_);
        std::vector<std::string> words = {program, "-N", "-n", "-b", "-S", port_text, slave_name_};
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid < 0) {
            error = "fork failed";
            return false;
        }
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) ::_exit(127);
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) {
                ::dup2(null, 0);
                ::dup2(null, 1);
                ::dup2(null, 2);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        pid_ = pid;
        int status = 0;
        bool exited = false;
        const bool up = wait_until([&] {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited = true;
                return true;
            }
            return serves_our_terminal();
        });
        if (exited) {
            pid_ = -1;  // most likely the port was taken meanwhile
            return false;
        }
        if (!up) {
            stop_gpsd();
            error = "gpsd did not listen on port " + port_text;
            return false;
        }
        return true;
    }

    // Writes one epoch every 300 ms, the log over and over, and throws away
    // anything gpsd writes back.
    void feed() {
        std::size_t next = 0;
        while (!stop_) {
            char sink[256];
            while (::read(master_, sink, sizeof sink) > 0) {
            }
            if (!(hold_ && next == 0)) {
                const std::string& e = epochs_[next];
                // A full terminal queue (gpsd stopped) drops the epoch.
                [[maybe_unused]] const auto written = ::write(master_, e.data(), e.size());
                next = (next + 1) % epochs_.size();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }

    void stop_feeding_thread() {
        stop_ = true;
        if (feeder_.joinable()) feeder_.join();
    }

    std::vector<std::string> epochs_;
    int master_ = -1;
    int slave_ = -1;
    std::string slave_name_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
    std::thread feeder_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hold_{false};
};

}  // namespace orbant::testing
