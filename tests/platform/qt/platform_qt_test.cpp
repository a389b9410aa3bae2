// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt side of the platform layer: the dialog builder, the data-exchange
// checks, the file-filter conversion, and the scripted services.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <array>
#include <limits>
#include <utility>

#include "platform/qt/ddx.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/ui_services.h"

namespace orbant {
namespace {

inline constexpr std::array<ControlSpec, 5> sample_controls = {{
    {no_control_id, ControlKind::label, "Name:", 4, 4, 30, 8},
    {1100, ControlKind::edit, "", 40, 2, 60, 12, control_digits_only},
    {1101, ControlKind::check_box, "An", 4, 20, 40, 10},
    {1, ControlKind::default_button, "OK", 4, 40, 40, 12},
    {2, ControlKind::button, "Abbrechen", 50, 40, 40, 12},
}};
inline constexpr DialogTemplate sample_template{200, "Probe", 120, 60, "Arial", 8, sample_controls};

TEST(DialogTemplate, BuilderMakesTheControlsByTheDialogUnitRule) {
    QWidget parent;
    const BuiltDialog built = build_dialog(sample_template, parent);
    EXPECT_EQ(QFontInfo(parent.font()).family(), "Liberation Sans");
    const DialogUnits& u = built.units();
    EXPECT_EQ(parent.size(), QSize(120 * u.avg_char_width / 4, 60 * u.char_height / 8));
    EXPECT_EQ(built.controls().size(), 4u);  // the label has no id
    auto* edit = built.control_as<QLineEdit>(1100);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), "1100");
    EXPECT_EQ(edit->geometry(), QRect(40 * u.avg_char_width / 4, 2 * u.char_height / 8, 60 * u.avg_char_width / 4,
                                      12 * u.char_height / 8));
    EXPECT_NE(built.control_as<QCheckBox>(1101), nullptr);
    EXPECT_EQ(built.control_as<QLabel>(1101), nullptr);  // wrong kind
    EXPECT_EQ(built.control(9999), nullptr);
    auto* ok = built.control_as<QPushButton>(1);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(built.control_as<QPushButton>(2)->isDefault());
    EXPECT_FALSE(built.control_as<QPushButton>(2)->autoDefault());
    const auto labels = parent.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), "Name:");
    EXPECT_TRUE(labels[0]->objectName().isEmpty());
}

TEST(DialogTemplate, DialogUnitsComeFromTheFontMetrics) {
    const DialogUnits small = dialog_units_of(template_font("Arial", 8));
    const DialogUnits large = dialog_units_of(template_font("Arial", 16));
    EXPECT_GT(large.avg_char_width, small.avg_char_width);
    EXPECT_GT(large.char_height, small.char_height);
    DialogUnits u;
    u.avg_char_width = 6;
    u.char_height = 13;
    EXPECT_EQ(u.x_px(162), 243);
    EXPECT_EQ(u.y_px(150), 243);
    EXPECT_EQ(u.rect_px(8, 10, 24, 8), QRect(12, 16, 36, 13));
}

TEST(Ddx, IntegersAsTheStandardCheckTakesThem) {
    std::int32_t v = 99;
    const std::pair<const char*, std::int32_t> good[] = {{"42", 42}, {"  -7 ", -7}, {"+13", 13},
                                                         {"2147483647", 2147483647}};
    for (const auto& [text, value] : good) {
        EXPECT_TRUE(parse_ddx_int(text, v)) << text;
        EXPECT_EQ(v, value) << text;
    }
    v = 5;
    for (const char* bad : {"", " ", "1.5", "12a", "a12", "2147483648", "--1", "+-1", "0x10", "1 2"}) {
        EXPECT_FALSE(parse_ddx_int(bad, v)) << bad;
        EXPECT_EQ(v, 5) << bad;
    }
}

TEST(Ddx, NumbersInCNotation) {
    double d = 1.0;
    const std::pair<const char*, double> good[] = {{"53.5", 53.5}, {" -0.25 ", -0.25}, {"1e2", 100.0}, {"+7", 7.0}};
    for (const auto& [text, value] : good) {
        EXPECT_TRUE(parse_ddx_double(text, d)) << text;
        EXPECT_EQ(d, value) << text;
    }
    d = 3.0;
    for (const char* bad : {"", "12,5", "abc", "1e999", "nan", "inf", "1.2.3", "+-1"}) {
        EXPECT_FALSE(parse_ddx_double(bad, d)) << bad;
        EXPECT_EQ(d, 3.0) << bad;
    }
    const std::pair<double, const char*> written[] = {
        {53.5, "53.5"}, {0.1, "0.1"}, {-33.925, "-33.925"}, {1.0 / 3.0, "0.333333333333333"}};
    for (const auto& [value, text] : written) EXPECT_EQ(ddx_double_text(value), text) << value;
}

TEST(Ddx, FailedReadShowsTheMessageAndKeepsTheField) {
    ScriptedUiServices ui;
    QLineEdit edit;
    std::int32_t n = 8;
    double d = 2.5;
    edit.setText("zwölf");
    EXPECT_FALSE(ddx_read_int(&edit, n, ui, nullptr));
    EXPECT_FALSE(ddx_read_double(&edit, d, ui, nullptr));
    EXPECT_EQ(n, 8);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(ui.message_texts(), (QStringList{"Please enter an integer.", "Please enter a number."}));
    edit.setText("12");
    EXPECT_TRUE(ddx_read_int(&edit, n, ui, nullptr));
    EXPECT_EQ(n, 12);
    ddx_write_double(&edit, 0.5);
    EXPECT_EQ(edit.text(), "0.5");
    ddx_write_int(&edit, -3);
    EXPECT_EQ(edit.text(), "-3");
}

TEST(UiServices, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(file_filter_to_qt("ORB-Dateien (*.ort)|*.ort|Alle Dateien (*.*)|*.*||"),
              "ORB-Dateien (*.ort);;Alle Dateien (*.*)");
    EXPECT_EQ(file_filter_to_qt("Texte|*.txt;*.ort||"), "Texte (*.txt *.ort)");
    EXPECT_EQ(file_filter_to_qt(""), "");
}

TEST(UiServices, ScriptedAnswersAreTakenInOrderAndEverythingIsCaptured) {
    ScriptedUiServices ui;
    ui.file_answers = {"/tmp/a.ort", ""};
    ui.yes_no_answers = {true};
    EXPECT_EQ(ui.open_file_name(nullptr, "*.ort", "A|*.ort||"), std::optional<QString>("/tmp/a.ort"));
    EXPECT_EQ(ui.save_file_name(nullptr, "Standort1.ort", "B|*.ort||", "ort", true), std::nullopt);  // cancel
    EXPECT_EQ(ui.open_file_name(nullptr, "*.ort", "A|*.ort||"), std::nullopt);  // nothing scripted
    EXPECT_TRUE(ui.ask_yes_no(nullptr, "Sicher?"));
    EXPECT_FALSE(ui.ask_yes_no(nullptr, "Noch einmal?"));
    ASSERT_EQ(ui.file_requests.size(), 3u);
    EXPECT_TRUE(ui.file_requests[1].save);
    EXPECT_EQ(ui.file_requests[1].initial_name, "Standort1.ort");
    EXPECT_EQ(ui.file_requests[1].default_extension, "ort");
    EXPECT_TRUE(ui.file_requests[1].confirm_overwrite);
    EXPECT_EQ(ui.questions, (std::vector<QString>{"Sicher?", "Noch einmal?"}));

    QDialog dialog;
    dialog.setWindowTitle("Kalender");
    bool ran = false;
    ui.modal_scripts.push_back([&](QDialog& d) {
        ran = d.isVisible();
        return static_cast<int>(QDialog::Accepted);
    });
    EXPECT_EQ(ui.run_modal(dialog), QDialog::Accepted);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ui.run_modal(dialog), QDialog::Rejected);
    EXPECT_EQ(ui.modal_dialogs, (std::vector<QString>{"Kalender", "Kalender"}));
    ui.set_clipboard_text("a\nb\n");
    EXPECT_EQ(ui.clipboard, "a\nb\n");
}

TEST(QtTranslation, QtsOwnDialogTextsAreGerman) {
    ASSERT_TRUE(install_german_qt_translation(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), "&Öffnen");
    // The other tests see Qt's own English again.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

}  // namespace
}  // namespace orbant
