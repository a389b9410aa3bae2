// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/ui_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <cstdio>

namespace orbant {

bool install_german_qt_translation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString file_filter_to_qt(const QString& filter) {
    // "Desc|pattern|Desc|pattern||": descriptions at even positions.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        const QString pattern = parts[i + 1];
        QString desc = parts[i];
        // Qt takes the patterns from the parentheses; add them when the
        // description has none.
        if (!desc.contains(QLatin1Char('('))) desc += QStringLiteral(" (") + QString(pattern).replace(';', ' ') + ')';
        out << desc;
    }
    return out.join(QStringLiteral(";;"));
}

void HostUiServices::message_box(QWidget* parent, const QString& text, MessageKind kind) {
    const QString title = QApplication::applicationDisplayName();
    switch (kind) {
    case MessageKind::information: QMessageBox::information(parent, title, text); break;
    case MessageKind::warning: QMessageBox::warning(parent, title, text); break;
    case MessageKind::error: QMessageBox::critical(parent, title, text); break;
    }
}

bool HostUiServices::ask_yes_no(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> HostUiServices::open_file_name(QWidget* parent, const QString& initial_name,
                                                      const QString& filter) {
    QFileDialog dialog(parent, QString(), QString(), file_filter_to_qt(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!initial_name.contains(QLatin1Char('*'))) dialog.selectFile(initial_name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> HostUiServices::save_file_name(QWidget* parent, const QString& initial_name,
                                                      const QString& filter, const QString& default_extension,
                                                      bool confirm_overwrite) {
    QFileDialog dialog(parent, QString(), QString(), file_filter_to_qt(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(default_extension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirm_overwrite);
    dialog.selectFile(initial_name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

int HostUiServices::run_modal(QDialog& dialog) { return dialog.exec(); }

void HostUiServices::set_clipboard_text(const QString& text) { QApplication::clipboard()->setText(text); }

void ConsoleUiServices::message_box(QWidget*, const QString& text, MessageKind) {
    std::fprintf(stderr, "orbant: %s\n", text.toLocal8Bit().constData());
}

bool ConsoleUiServices::ask_yes_no(QWidget*, const QString& text) {
    std::fprintf(stderr, "orbant: %s (answered no)\n", text.toLocal8Bit().constData());
    return false;
}

std::optional<QString> ConsoleUiServices::open_file_name(QWidget*, const QString&, const QString&) {
    return std::nullopt;
}

std::optional<QString> ConsoleUiServices::save_file_name(QWidget*, const QString&, const QString&, const QString&,
                                                         bool) {
    return std::nullopt;
}

int ConsoleUiServices::run_modal(QDialog&) { return QDialog::Rejected; }

void ConsoleUiServices::set_clipboard_text(const QString& text) { QApplication::clipboard()->setText(text); }

namespace {
std::optional<QString> take_file_answer(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    const QString a = answers.front();
    answers.pop_front();
    if (a.isEmpty()) return std::nullopt;
    return std::optional<QString>(std::in_place, a);
}
}  // namespace

void ScriptedUiServices::message_box(QWidget*, const QString& text, MessageKind kind) {
    messages.push_back({text, kind});
}

bool ScriptedUiServices::ask_yes_no(QWidget*, const QString& text) {
    questions.push_back(text);
    if (yes_no_answers.empty()) return false;
    const bool a = yes_no_answers.front();
    yes_no_answers.pop_front();
    return a;
}

std::optional<QString> ScriptedUiServices::open_file_name(QWidget*, const QString& initial_name,
                                                          const QString& filter) {
    file_requests.push_back({false, initial_name, filter, QString(), false});
    return take_file_answer(file_answers);
}

std::optional<QString> ScriptedUiServices::save_file_name(QWidget*, const QString& initial_name,
                                                          const QString& filter, const QString& default_extension,
                                                          bool confirm_overwrite) {
    file_requests.push_back({true, initial_name, filter, default_extension, confirm_overwrite});
    return take_file_answer(file_answers);
}

int ScriptedUiServices::run_modal(QDialog& dialog) {
    modal_dialogs.push_back(dialog.objectName().isEmpty() ? dialog.windowTitle() : dialog.objectName());
    if (modal_scripts.empty()) return QDialog::Rejected;
    auto script = std::move(modal_scripts.front());
    modal_scripts.pop_front();
    dialog.show();
    const int result = script(dialog);
    dialog.hide();
    return result;
}

void ScriptedUiServices::set_clipboard_text(const QString& text) { clipboard = text; }

QStringList ScriptedUiServices::message_texts() const {
    QStringList out;
    for (const auto& m : messages) out << m.text;
    return out;
}

}  // namespace orbant
