// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/cgps_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

#include "platform/qt/ui_services.h"

namespace orbant {

CGPSDialog::CGPSDialog(GpsDriver& driver, UiServices& ui, QWidget* parent)
    : QDialog(parent), driver_(driver), ui_(ui), view_(gps_dialog_opening_view()) {
    setObjectName(QStringLiteral("CGPSDialog"));
    setWindowTitle(QString::fromUtf8(cgps_dialog_template.caption));
    built_ = build_dialog(cgps_dialog_template, *this);
    if (auto* take = built_.control_as<QPushButton>(id_gps_take))
        connect(take, &QPushButton::clicked, this, &QDialog::accept);
    if (auto* cancel = built_.control_as<QPushButton>(id_gps_cancel))
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CGPSDialog::~CGPSDialog() { end(); }

void CGPSDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!opened_) {
        opened_ = true;
        open_receiver();
    }
}

void CGPSDialog::open_receiver() {
    view_ = gps_dialog_opening_view();
    record_ = GpsPosition{};
    device_ = driver_.open_device();
    if (!device_) ui_.message_box(this, QString::fromUtf8(gps_not_found_message));
    timer_id_ = startTimer(gps_timer_period_ms);
    // The first paint shows the first refresh.
    refresh_pending_ = true;
    update();
}

void CGPSDialog::timerEvent(QTimerEvent* event) {
    if (timer_id_ != 0 && event->timerId() == timer_id_) {
        refresh_pending_ = true;
        update();
        return;
    }
    QDialog::timerEvent(event);
}

void CGPSDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Only a paint asked for by the timer (or the first show) refreshes, not
    // one that a changed label causes.
    if (!refresh_pending_) return;
    refresh_pending_ = false;
    refresh();
}

void CGPSDialog::refresh() {
    // A failed query leaves the record as the last one left it.
    if (device_) device_->get_position(record_, gps_max_report_age);
    view_ = gps_dialog_refresh(view_, record_);
    show_view();
}

void CGPSDialog::show_view() {
    for (const PageText& t : view_.texts.texts)
        if (auto* label = built_.control_as<QLabel>(t.id)) label->setText(QString::fromStdString(t.text));
}

void CGPSDialog::done(int result) {
    end();
    QDialog::done(result);
}

void CGPSDialog::end() {
    if (timer_id_ != 0) {
        killTimer(timer_id_);
        timer_id_ = 0;
    }
    device_.reset();
    refresh_pending_ = false;
}

}  // namespace orbant
