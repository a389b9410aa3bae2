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
bool asks_for_help(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h" || a == "-?" || a == "--help-all") return true;
    }
    return false;
}

bool asks_for_screenshot(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--screenshot" || std::string_view(argv[i]).starts_with("--screenshot="))
            return true;
    return false;
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
    // Help needs no screen: it is printed the same with or without one.
    const bool help = asks_for_help(argc, argv);
    // So does a screenshot: the sheet is built and painted offscreen.
    if (help || asks_for_screenshot(argc, argv)) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Qt takes the user's locale; the program's number texts use the point.
    std::setlocale(LC_NUMERIC, "C");
    // Qt's own dialogs speak German like the program.
    if (!help && !orbant::install_german_qt_translation(app))
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

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Orbant: positions, rising and setting of the Sun, the Moon and the planets, the sky, moon phases "
        "and eclipses."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption config_dir_option(
        QStringLiteral("config-dir"),
        QStringLiteral("Folder of the settings file Setup.dat (default: $ORBANT_CONFIG_DIR, else "
                       "$XDG_CONFIG_HOME/orbant, else ~/.config/orbant)."),
        QStringLiteral("DIR"));
    const QCommandLineOption clock_option(
        QStringLiteral("clock"),
        QStringLiteral("Start the device clock at this local time and let it run from there."),
        QStringLiteral("YYYY-MM-DD HH:MM:SS"));
    const QCommandLineOption size_option(
        QStringLiteral("size"),
        QStringLiteral("Start the window at this size in pixels instead of the size it was closed at (at most "
                       "the screen's available area); it stands for the device's screen, tab bar included "
                       "(portrait when narrower than high)."),
        QStringLiteral("WxH"));
    const QCommandLineOption gpsd_option(
        QStringLiteral("gpsd"),
        QStringLiteral("Where gpsd listens, for the GPS dialog (default: localhost:2947; an IPv6 address in "
                       "brackets)."),
        QStringLiteral("HOST:PORT"));
    const QCommandLineOption screenshot_option(
        QStringLiteral("screenshot"),
        QStringLiteral("Render this page without a screen and write it as PNG to the file of --out: zeit, "
                       "horizont, mond, sonne, planeten, uebersicht or ereignisse."),
        QStringLiteral("PAGE"));
    const QCommandLineOption out_option(QStringLiteral("out"),
                                        QStringLiteral("The PNG file --screenshot writes."),
                                        QStringLiteral("FILE.png"));
    parser.addOption(config_dir_option);
    parser.addOption(clock_option);
    parser.addOption(size_option);
    parser.addOption(gpsd_option);
    parser.addOption(screenshot_option);
    parser.addOption(out_option);
    // --help lists Qt's own options too (-platform, -style, -geometry, ...).
    QStringList arguments = QApplication::arguments();
    for (QString& a : arguments)
        if (a == QLatin1String("--help") || a == QLatin1String("-h") || a == QLatin1String("-?"))
            a = QStringLiteral("--help-all");
    parser.process(arguments);

    std::optional<orbant::ScreenSize> screen;
    if (parser.isSet(size_option)) {
        orbant::ScreenSize size;
        const std::string text = parser.value(size_option).toStdString();
        if (!orbant::parse_screen_size(text, size)) {
            std::fprintf(stderr, "orbant: --size: '%s' is not a size of the form WxH (%d to %d pixels a side)\n",
                         orbant::printable_text(text).c_str(), orbant::min_screen_side_px,
                         orbant::max_screen_side_px);
            return 2;
        }
        screen = size;
    }

    int screenshot_tab = -1;
    if (parser.isSet(screenshot_option)) {
        const std::string page = parser.value(screenshot_option).toStdString();
        for (std::size_t i = 0; i < screenshot_pages.size(); ++i)
            if (page == screenshot_pages[i]) screenshot_tab = static_cast<int>(i);
        if (screenshot_tab < 0) {
            std::fprintf(stderr,
                         "orbant: --screenshot: '%s' is not one of zeit, horizont, mond, sonne, planeten, "
                         "uebersicht, ereignisse\n",
                         orbant::printable_text(page).c_str());
            return 2;
        }
        if (!parser.isSet(out_option) || parser.value(out_option).isEmpty()) {
            std::fprintf(stderr, "orbant: --screenshot needs --out FILE.png\n");
            return 2;
        }
        // As with "Setup.dat": a FIFO, a device or a folder is never
        // replaced by a plain file (a link to a regular file is followed).
        if (const QFileInfo target(parser.value(out_option)); target.exists() && !target.isFile()) {
            std::fprintf(stderr, "orbant: --out: '%s' is not a regular file\n",
                         orbant::printable_text(parser.value(out_option).toLocal8Bit().toStdString()).c_str());
            return 2;
        }
    } else if (parser.isSet(out_option)) {
        std::fprintf(stderr, "orbant: --out needs --screenshot PAGE\n");
        return 2;
    }

    std::unique_ptr<orbant::DeviceClock> clock;
    if (parser.isSet(clock_option)) {
        orbant::CivilDateTime start;
        std::int64_t seconds = 0;
        const std::string text = parser.value(clock_option).toStdString();
        if (!orbant::parse_clock_text(text, start) || !orbant::seconds_from_local_time(start, seconds)) {
            std::fprintf(stderr, "orbant: --clock: '%s' is not a time of the form \"YYYY-MM-DD HH:MM:SS\"\n",
                         orbant::printable_text(text).c_str());
            return 2;
        }
        clock = std::make_unique<orbant::HostClock>(start);
    } else {
        clock = std::make_unique<orbant::HostClock>();
    }

    orbant::GpsdEndpoint gpsd;
    if (parser.isSet(gpsd_option)) {
        const std::string text = parser.value(gpsd_option).toStdString();
        std::string gpsd_error;
        if (!orbant::parse_gpsd_endpoint(text, gpsd, gpsd_error)) {
            std::fprintf(stderr, "orbant: --gpsd: %s\n", orbant::printable_text(gpsd_error).c_str());
            return 2;
        }
    }
    orbant::LibgpsDriver gps_driver(gpsd);

    std::optional<std::string> explicit_dir;
    if (parser.isSet(config_dir_option)) explicit_dir = parser.value(config_dir_option).toStdString();
    const std::string folder = orbant::settings_folder(explicit_dir);
    std::string error;
    if (!orbant::ensure_folder(folder, error)) std::fprintf(stderr, "orbant: %s\n", error.c_str());

    orbant::HostUiServices ui;
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
