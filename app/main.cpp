// SPDX-License-Identifier: GPL-3.0-or-later
// orbant: the desktop program. One window, the property sheet with its
// seven pages; the program ends when the sheet closes.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QSaveFile>
#include <QScreen>
#include <QTabWidget>
#include <array>
#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "app/all_controls_sheet.h"
#include "core/message_text.h"
#include "core/screen_size.h"
#include "core/window_size_file.h"
#include "platform/clock.h"
#include "platform/config_dir.h"
#include "platform/gps.h"
#include "platform/qt/ui_services.h"

namespace {
// Qt's own options, which QApplication takes out of the arguments. The
// program's parser knows them too, so that it can check the arguments
// before QApplication starts (which without a display aborts). Those with
// a description are listed by --help; the rest are accepted unlisted.
struct QtOption {
    const char* name;
    const char* value;        // nullptr: a switch
    const char* description;  // nullptr: not listed
};
constexpr std::array<QtOption, 22> qt_options{{
    {"platform", "platformName[:options]", "The platform plugin, for example xcb, wayland or offscreen."},
    {"platformpluginpath", "path", "Where the platform plugins are looked up."},
    {"platformtheme", "theme", "The platform theme."},
    {"plugin", "plugin", "An additional plugin to load; may be given more than once."},
    {"qwindowgeometry", "geometry", "The geometry of the window in X11 syntax, like 100x100+50+50."},
    {"qwindowicon", "icon", "The default window icon."},
    {"qwindowtitle", "title", "The title of the window."},
    {"reverse", nullptr, "Lay the window out from right to left (a debugging aid)."},
    {"session", "session", "Restore the program from an earlier session."},
    {"qmljsdebugger", "value", nullptr},
    {"display", "displayname", nullptr},
    {"name", "name", nullptr},
    {"geometry", "geometry", nullptr},
    {"icon", "icon", nullptr},
    {"title", "title", nullptr},
    {"visual", "id", nullptr},
    {"style", "style", nullptr},
    {"stylesheet", "stylesheet", nullptr},
    {"widgetcount", nullptr, nullptr},
    {"testability", nullptr, nullptr},
    {"nograb", nullptr, nullptr},
    {"dograb", nullptr, nullptr},
}};

// The command-line option of a table row; one that is not described is
// hidden from the help.
QCommandLineOption command_line_option(const QtOption& q) {
    QCommandLineOption option(QString::fromLatin1(q.name),
                              q.description ? QString::fromLatin1(q.description) : QString(),
                              q.value ? QString::fromLatin1(q.value) : QString());
    if (!q.description) option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

// Qt's offscreen platform warns on every window it shows that it cannot
// pass size hints on; there is no window manager to pass them to.
QtMessageHandler qt_default_handler = nullptr;
void screenshot_message_handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support propagateSizeHints()"))) return;
    if (qt_default_handler) qt_default_handler(type, context, message);
}

// The pages --screenshot names, in tab order.
constexpr std::array<const char*, 7> screenshot_pages{"zeit",     "horizont",    "mond",      "sonne",
                                                      "planeten", "uebersicht", "ereignisse"};

// Shows tab `index` of the sheet offscreen, lets it paint and writes the
// window as PNG through a temporary file. Returns the exit status.
int write_screenshot(orbant::CAllControlsSheet& sheet, int index, const QString& out) {
    sheet.show();
    sheet.tabs()->setCurrentIndex(index);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const QImage picture = sheet.grab().toImage();
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "orbant: --out: cannot write '%s': %s\n", out.toLocal8Bit().constData(),
                     file.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

bool asks_for_version(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--version" || a == "-v") return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    // The version is answered before Qt starts, so it needs no screen and no
    // platform plugin. It wins over help, as in Qt's parser.
    if (asks_for_version(argc, argv)) {
        std::printf("orbant %s\n", ORBANT_VERSION);
        return 0;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Orbant: positions, rising and setting of the Sun, the Moon and the planets, the sky, moon phases "
        "and eclipses."));
    // "-platform xcb" is Qt's option, as "--platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption config_dir_option = command_line_option(
        {"config-dir", "DIR",
         "Folder of the settings file Setup.dat (default: $ORBANT_CONFIG_DIR, else $XDG_CONFIG_HOME/orbant, else "
         "~/.config/orbant)."});
    const QCommandLineOption clock_option = command_line_option(
        {"clock", "YYYY-MM-DD HH:MM:SS", "Start the device clock at this local time and let it run from there."});
    const QCommandLineOption size_option = command_line_option(
        {"size", "WxH",
         "Start the window at this size in pixels instead of the size it was closed at (at most the screen's "
         "available area); it stands for the device's screen, tab bar included (portrait when narrower than "
         "high)."});
    const QCommandLineOption gpsd_option = command_line_option(
        {"gpsd", "HOST:PORT",
         "Where gpsd listens, for the GPS dialog (default: localhost:2947; an IPv6 address in brackets)."});
    const QCommandLineOption screenshot_option = command_line_option(
        {"screenshot", "PAGE",
         "Render this page without a screen and write it as PNG to the file of --out: zeit, horizont, mond, sonne, "
         "planeten, uebersicht or ereignisse."});
    const QCommandLineOption out_option = command_line_option({"out", "FILE.png", "The PNG file --screenshot writes."});
    parser.addOptions({config_dir_option, clock_option, size_option, gpsd_option, screenshot_option, out_option});
    for (const QtOption& q : qt_options) parser.addOption(command_line_option(q));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const bool parsed = parser.parse(arguments);

    const bool help = parsed && (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")));

    // The option values, checked before Qt starts as well; the first bad
    // one is named in `bad`.
    std::string bad = parsed ? std::string() : parser.errorText().toStdString();
    std::optional<orbant::ScreenSize> screen;
    int screenshot_tab = -1;
    std::optional<orbant::CivilDateTime> clock_start;
    orbant::GpsdEndpoint gpsd;
    char message[512];
    if (parsed && !help && parser.isSet(size_option)) {
        orbant::ScreenSize size;
        const std::string text = parser.value(size_option).toStdString();
        if (orbant::parse_screen_size(text, size)) {
            screen = size;
        } else {
            std::snprintf(message, sizeof message, "--size: '%s' is not a size of the form WxH (%d to %d pixels a side)",
                          text.c_str(), orbant::min_screen_side_px, orbant::max_screen_side_px);
            bad = message;
        }
    }
    if (parsed && !help && bad.empty()) {
        if (parser.isSet(screenshot_option)) {
            const std::string page = parser.value(screenshot_option).toStdString();
            for (std::size_t i = 0; i < screenshot_pages.size(); ++i)
                if (page == screenshot_pages[i]) screenshot_tab = static_cast<int>(i);
            if (screenshot_tab < 0)
                bad = "--screenshot: '" + page +
                      "' is not one of zeit, horizont, mond, sonne, planeten, uebersicht, ereignisse";
            else if (!parser.isSet(out_option) || parser.value(out_option).isEmpty())
                bad = "--screenshot needs --out FILE.png";
            // As with "Setup.dat": a FIFO, a device or a folder is never
            // replaced by a plain file (a link to a regular file is followed).
            else if (const QFileInfo target(parser.value(out_option)); target.exists() && !target.isFile())
                bad = "--out: '" + parser.value(out_option).toLocal8Bit().toStdString() + "' is not a regular file";
        } else if (parser.isSet(out_option)) {
            bad = "--out needs --screenshot PAGE";
        }
    }
    if (parsed && !help && bad.empty() && parser.isSet(clock_option)) {
        orbant::CivilDateTime start;
        std::int64_t seconds = 0;
        const std::string text = parser.value(clock_option).toStdString();
        if (orbant::parse_clock_text(text, start) && orbant::seconds_from_local_time(start, seconds))
            clock_start = start;
        else
            bad = "--clock: '" + text + "' is not a time of the form \"YYYY-MM-DD HH:MM:SS\"";
    }
    if (parsed && !help && bad.empty() && parser.isSet(gpsd_option)) {
        std::string gpsd_error;
        if (!orbant::parse_gpsd_endpoint(parser.value(gpsd_option).toStdString(), gpsd, gpsd_error))
            bad = "--gpsd: " + gpsd_error;
    }

    // Help and a bad argument need no screen: they are printed the same with
    // or without one. Nor does a screenshot: the sheet is built and painted
    // offscreen.
    if (!bad.empty() || help || screenshot_tab >= 0) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (!bad.empty() || help) {
        QApplication::setApplicationName(QStringLiteral("orbant"));
        const QByteArray usage = parser.helpText().toLocal8Bit();
        if (!bad.empty()) {
            std::fprintf(stderr, "orbant: %s\n\n%s", orbant::printable_text(bad).c_str(), usage.constData());
            return 2;
        }
        std::fputs(usage.constData(), stdout);
        return 0;
    }
    if (screenshot_tab >= 0) qt_default_handler = qInstallMessageHandler(screenshot_message_handler);
    // Qt takes the user's locale; the program's number texts use the point.
    std::setlocale(LC_NUMERIC, "C");
    // Qt's own dialogs speak German like the program.
    if (!orbant::install_german_qt_translation(app))
        std::fprintf(stderr, "orbant: Qt's German translation (qtbase_de.qm) was not found; its dialogs stay English\n");
    QApplication::setApplicationName(QStringLiteral("orbant"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(orbant::sheet_caption));
    QApplication::setApplicationVersion(QStringLiteral(ORBANT_VERSION));
    // The desktop entry orbant.desktop names the window's program (Wayland's
    // app id); the icon comes from the installed theme, else compiled in.
    QGuiApplication::setDesktopFileName(QStringLiteral("orbant"));
    QIcon compiled_in;
    for (const char* size : {"16", "32", "48", "256"})
        compiled_in.addFile(QStringLiteral(":/icons/orbant-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orbant"), compiled_in));

    std::unique_ptr<orbant::DeviceClock> clock;
    if (clock_start)
        clock = std::make_unique<orbant::HostClock>(*clock_start);
    else
        clock = std::make_unique<orbant::HostClock>();
    orbant::LibgpsDriver gps_driver(gpsd);

    std::optional<std::string> explicit_dir;
    if (parser.isSet(config_dir_option)) explicit_dir = parser.value(config_dir_option).toStdString();
    const std::string folder = orbant::settings_folder(explicit_dir);
    std::string error;
    if (!orbant::ensure_folder(folder, error)) std::fprintf(stderr, "orbant: %s\n", error.c_str());

    // A screenshot runs without a user: its messages go to standard error
    // instead of waiting in a message box.
    orbant::HostUiServices host_ui;
    orbant::ConsoleUiServices console_ui;
    orbant::UiServices& ui = screenshot_tab >= 0 ? static_cast<orbant::UiServices&>(console_ui) : host_ui;
    orbant::CAllControlsSheet sheet(*clock, ui, folder);
    sheet.set_gps_driver(gps_driver);
    // The window opens at --size, else at the size it was closed at, else at
    // the first start's size; never larger than the screen's available area,
    // except for a picture rendered offscreen (which remembers nothing).
    const bool offscreen = screenshot_tab >= 0;
    orbant::ScreenSize available;
    if (const QScreen* on = sheet.screen()) available = {on->availableGeometry().width(), on->availableGeometry().height()};
    orbant::ScreenSize remembered;
    const bool known = !offscreen && orbant::read_window_size(folder, remembered);
    const orbant::ScreenSize start = orbant::start_window_size(screen ? &*screen : nullptr, known ? &remembered : nullptr,
                                                               available, offscreen);
    sheet.resize(start.width, start.height);
    if (offscreen) return write_screenshot(sheet, screenshot_tab, parser.value(out_option));
    sheet.exec();
    if (!orbant::save_window_size(folder, {sheet.width(), sheet.height()}, error))
        std::fprintf(stderr, "orbant: the window's size is not kept: %s\n", orbant::printable_text(error).c_str());
    return 0;
}
