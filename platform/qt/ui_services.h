// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QCoreApplication;
class QDialog;
class QWidget;

namespace orbant {

// Installs Qt's German translation of its own texts (file dialogs, message
// box buttons) on the application, whatever the user's locale, so that they
// match the program's German texts. Returns false (and installs nothing)
// when the translation is not found in Qt's translations folder.
bool install_german_qt_translation(QCoreApplication& app);

enum class MessageKind { information, warning, error };

// The system services of the user interface that tests replace: message
// boxes, a yes/no question, file open and save dialogs, running a modal
// dialog, the clipboard.
class UiServices {
public:
    virtual ~UiServices() = default;

    // A message box with an OK button.
    virtual void message_box(QWidget* parent, const QString& text,
                             MessageKind kind = MessageKind::information) = 0;

    // A question with the answers yes and no; true for yes.
    virtual bool ask_yes_no(QWidget* parent, const QString& text) = 0;

    // File-open dialog. initial_name such as "*.ort"; filter in the form
    // "Text (*.ort)|*.ort|Alle Dateien (*.*)|*.*||". The chosen path, or
    // nothing when the user cancels.
    virtual std::optional<QString> open_file_name(QWidget* parent, const QString& initial_name,
                                                  const QString& filter) = 0;

    // File-save dialog; default_extension (without dot) is appended to a
    // name typed without one; confirm_overwrite asks before an existing
    // file is chosen.
    virtual std::optional<QString> save_file_name(QWidget* parent, const QString& initial_name,
                                                  const QString& filter, const QString& default_extension,
                                                  bool confirm_overwrite) = 0;

    // Runs a dialog modally; returns its result (QDialog::Accepted or
    // QDialog::Rejected).
    virtual int run_modal(QDialog& dialog) = 0;

    // Puts plain text on the clipboard.
    virtual void set_clipboard_text(const QString& text) = 0;
};

// The real services: QMessageBox, QFileDialog, QDialog::exec, QClipboard.
class HostUiServices final : public UiServices {
public:
    void message_box(QWidget* parent, const QString& text, MessageKind kind) override;
    bool ask_yes_no(QWidget* parent, const QString& text) override;
    std::optional<QString> open_file_name(QWidget* parent, const QString& initial_name,
                                          const QString& filter) override;
    std::optional<QString> save_file_name(QWidget* parent, const QString& initial_name, const QString& filter,
                                          const QString& default_extension, bool confirm_overwrite) override;
    int run_modal(QDialog& dialog) override;
    void set_clipboard_text(const QString& text) override;
};

// The services of a run without a user (orbant --screenshot): nothing
// waits for an answer. Every message goes to standard error as
// "orbant: <text>", a question is answered no, a file dialog is cancelled,
// a modal dialog is rejected without being shown; the clipboard is set.
class ConsoleUiServices final : public UiServices {
public:
    void message_box(QWidget* parent, const QString& text, MessageKind kind) override;
    bool ask_yes_no(QWidget* parent, const QString& text) override;
    std::optional<QString> open_file_name(QWidget* parent, const QString& initial_name,
                                          const QString& filter) override;
    std::optional<QString> save_file_name(QWidget* parent, const QString& initial_name, const QString& filter,
                                          const QString& default_extension, bool confirm_overwrite) override;
    int run_modal(QDialog& dialog) override;
    void set_clipboard_text(const QString& text) override;
};

// Scripted services for tests: answers come from queues that the test
// fills; every text shown is captured. An empty queue answers "no" /
// "cancel" / Rejected.
class ScriptedUiServices final : public UiServices {
public:
    struct Message {
        QString text;
        MessageKind kind;
    };
    struct FileRequest {
        bool save;
        QString initial_name;
        QString filter;
        QString default_extension;
        bool confirm_overwrite;
    };

    // What the services showed or were asked, in order.
    std::vector<Message> messages;
    std::vector<QString> questions;
    std::vector<FileRequest> file_requests;
    std::vector<QString> modal_dialogs;  // objectName or window title of each dialog run
    QString clipboard;

    // Answers, taken from the front.
    std::deque<bool> yes_no_answers;
    std::deque<QString> file_answers;  // an empty text answers "cancel"
    // Each script gets the dialog (shown offscreen, not modal) and returns
    // its result; it may fill the dialog's controls and press its buttons.
    std::deque<std::function<int(QDialog&)>> modal_scripts;

    void message_box(QWidget* parent, const QString& text, MessageKind kind) override;
    bool ask_yes_no(QWidget* parent, const QString& text) override;
    std::optional<QString> open_file_name(QWidget* parent, const QString& initial_name,
                                          const QString& filter) override;
    std::optional<QString> save_file_name(QWidget* parent, const QString& initial_name, const QString& filter,
                                          const QString& default_extension, bool confirm_overwrite) override;
    int run_modal(QDialog& dialog) override;
    void set_clipboard_text(const QString& text) override;

    // The texts of all messages shown, in order.
    QStringList message_texts() const;
};

// A filter in the form "A (*.x)|*.x|B (*.*)|*.*||" as Qt's name filter
// "A (*.x);;B (*.*)": every description, whose pattern follows it.
QString file_filter_to_qt(const QString& filter);

}  // namespace orbant
