#include "ui/pages/cseite7.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QFontMetrics>
#include <QProgressBar>
#include <QScrollBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "ui/sheet_host.h"
#include "astro/events/lunation_search.h"
#include "pages/events_texts.h"
#include "platform/clock.h"
#include "platform/qt/ddx.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/ui_services.h"

namespace orbant {

namespace {
// Thrown from the progress sink to end a search that Escape cancelled; the
// list loops pass a sink's exception on.
struct SearchCancelled {};

// Watches every event of the program while it lives.
class InputFilter {
public:
    explicit InputFilter(QObject* filter) : filter_(filter) { QCoreApplication::instance()->installEventFilter(filter_); }
    ~InputFilter() { QCoreApplication::instance()->removeEventFilter(filter_); }
    InputFilter(const InputFilter&) = delete;
    InputFilter& operator=(const InputFilter&) = delete;

private:
    QObject* filter_;
};

bool is_user_input(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::ShortcutOverride: case QEvent::Shortcut:
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: case QEvent::Wheel: case QEvent::TouchBegin: case QEvent::TouchUpdate:
    case QEvent::TouchEnd: case QEvent::ContextMenu: case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}
}  // namespace

CSeite7::CSeite7(SheetHost& sheet) : SheetPage(sheet, cseite7_template, 0, false) {
    list_ = control_as<QTreeWidget>(events_list_id);
    progress_ = control_as<QProgressBar>(events_progress_id);
    first_edit_ = control_as<QLineEdit>(events_first_year_id);
    last_edit_ = control_as<QLineEdit>(events_last_year_id);
    search_button_ = control_as<QPushButton>(events_search_id);
    copy_button_ = control_as<QPushButton>(events_copy_id);

    // Both years start at the current year of the device clock (0 when it
    // could not be read).
    first_year_ = last_year_ = sheet.clock().local_now().year;
    ddx_write_int(first_edit_, first_year_);
    ddx_write_int(last_edit_, last_year_);

    control_as<QRadioButton>(events_phases_id)->setChecked(true);
    control(events_planets_id)->setEnabled(false);

    QStringList headings;
    for (const EventColumn& c : event_columns) headings << qt_text(c.heading);
    list_->setColumnCount(static_cast<int>(event_columns.size()));
    list_->setHeaderLabels(headings);
    for (std::size_t i = 0; i < event_columns.size(); ++i) {
        list_->setColumnWidth(static_cast<int>(i), event_columns[i].width);
        list_->headerItem()->setTextAlignment(static_cast<int>(i), Qt::AlignLeft | Qt::AlignVCenter);
    }
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);

    connect(search_button_, &QPushButton::clicked, this, [this] { search(); });
    connect(copy_button_, &QPushButton::clicked, this, [this] { copy(); });
}

void CSeite7::add_event_row(double local_mjd, std::string_view text) {
    const EventRow row = event_row(local_mjd, text);
    auto* item = new QTreeWidgetItem(
        QStringList{qt_text(row.weekday), qt_text(row.date), qt_text(row.time), qt_text(row.text)});
    event_text_width_ = std::max(event_text_width_, list_->fontMetrics().horizontalAdvance(item->text(3)));
    pending_items_.append(item);
    rows_.insert(rows_.begin() + row_counter_, row);
    ++row_counter_;
    if (!searching_) flush_rows();
}

void CSeite7::flush_rows() {
    if (pending_items_.isEmpty()) return;
    list_->insertTopLevelItems(row_counter_ - static_cast<int>(pending_items_.size()), pending_items_);
    pending_items_.clear();
    // The event column holds the longest text of the list (with the
    // margins a cell leaves around its text).
    const int wanted = event_text_width_ + 2 * list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    if (wanted > list_->columnWidth(3)) list_->setColumnWidth(3, wanted);
}

bool CSeite7::read_year(QLineEdit* edit, std::int32_t& year) {
    std::int32_t value = year;
    if (!ddx_read_int(edit, value, sheet().ui(), this)) return false;
    if (const std::string message = event_year_range_message(value); !message.empty()) {
        sheet().ui().message_box(this, qt_text(message));
        edit->setFocus();
        return false;
    }
    year = value;
    return true;
}

void CSeite7::read_fields() {
    // A field that cannot be read keeps its previous value; the other is
    // still read.
    read_year(first_edit_, first_year_);
    read_year(last_edit_, last_year_);
    if (control_as<QRadioButton>(events_phases_id)->isChecked()) {
        selection_ = 0;
    } else if (control_as<QRadioButton>(events_eclipses_id)->isChecked()) {
        selection_ = 1;
    } else if (control_as<QRadioButton>(events_planets_id)->isChecked()) {
        selection_ = 2;
    }
}

void CSeite7::show_progress(int position, int maximum) {
    // A bar whose range is 0..0 would show a busy animation: an empty span
    // keeps a range of one step. The last lunation's position lies one
    // beyond the range and shows the bar full.
    // Between the empty and the full bar, the bar and the rows are shown at
    // most every 50 ms: a repaint for each lunation would cost far more than
    // the search itself.
    constexpr qint64 repaint_interval_ms = 50;
    const int top = std::max(maximum, 1);
    if (position > 0 && position < top && since_repaint_.isValid() && since_repaint_.elapsed() < repaint_interval_ms)
        return;
    since_repaint_.start();
    flush_rows();
    progress_->setRange(0, top);
    progress_->setValue(std::min(position, top));
    // Let the window repaint the bar and the rows so far. The event filter
    // drops input meanwhile, except an Escape that ends the search.
    QCoreApplication::processEvents();
    if (cancel_requested_) throw SearchCancelled{};
}

bool CSeite7::eventFilter(QObject* watched, QEvent* event) {
    if (!searching_ || !is_user_input(event->type())) return SheetPage::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        cancel_requested_ = true;
    return true;
}

void CSeite7::search() {
    if (searching_) return;
    searching_ = true;
    cancel_requested_ = false;
    read_fields();
    list_->clear();
    rows_.clear();
    row_counter_ = 0;
    pending_items_.clear();
    event_text_width_ = 0;
    since_repaint_.invalidate();
    // A new list starts at its left edge and with the event column's own width.
    list_->horizontalScrollBar()->setValue(0);
    list_->setColumnWidth(3, event_columns[3].width);
    search_button_->setEnabled(false);
    copy_button_->setEnabled(false);

    const double zone = state().time_zone;  // standard time: summer time is not added
    const auto add = [this](const EventHit& hit) { add_event_row(hit.local_mjd, hit.text); };
    const auto progress = [this](int position, int maximum) { show_progress(position, maximum); };
    {
        const InputFilter filter(this);
        try {
            if (selection_ == 0) {
                fill_phase_list(first_year_, last_year_, zone, add, progress);
            } else if (selection_ == 1) {
                fill_eclipse_list(first_year_, last_year_, zone, add, progress);
            }
        } catch (const SearchCancelled&) {
            progress_->setValue(progress_->minimum());  // as the end of a finished search leaves it
        }
        flush_rows();  // the rows found so far, also when the search was ended

        // Input that is still queued is dropped by the filter, so that no press
        // starts the search again.
        QCoreApplication::processEvents();
    }
    search_button_->setEnabled(true);
    copy_button_->setEnabled(true);
    searching_ = false;
}

void CSeite7::copy() { sheet().ui().set_clipboard_text(qt_text(events_clipboard_text(rows_))); }

}  // namespace orbant
