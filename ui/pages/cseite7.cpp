// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pages/cseite7.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <utility>
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
// The texts of a row by column.
const std::string& column_text(const EventRow& row, int column) {
    switch (column) {
    case 0: return row.weekday;
    case 1: return row.date;
    case 2: return row.time;
    default: return row.text;
    }
}
}  // namespace

int EventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int EventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(event_columns.size());
}

QVariant EventListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    return qt_text(column_text(rows_[static_cast<std::size_t>(index.row())], index.column()));
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return qt_text(event_columns[static_cast<std::size_t>(section)].heading);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

void EventListModel::append(EventRow row) {
    const int at = rowCount();
    beginInsertRows(QModelIndex(), at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void EventListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

CSeite7::CSeite7(SheetHost& sheet) : SheetPage(sheet, cseite7_template, 0, false) {
    list_ = control_as<QTreeView>(events_list_id);
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

    list_->setModel(&model_);
    list_->viewport()->installEventFilter(this);
    for (std::size_t i = 0; i < event_columns.size(); ++i)
        list_->setColumnWidth(static_cast<int>(i), event_columns[i].width);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);

    connect(search_button_, &QPushButton::clicked, this, [this] { search(); });
    connect(copy_button_, &QPushButton::clicked, this, [this] { copy(); });
}

void CSeite7::add_event_row(double local_mjd, std::string_view text) {
    EventRow row = event_row(local_mjd, text);
    // The texts of a column take a handful of forms: the digits of the
    // list's font have one width (tabular figures, as in Arial and its
    // stand-in), so each text is measured in its form with the digits as
    // zeros, once per form: measuring every cell would cost more than the
    // search of its row.
    for (std::size_t c = 0; c < measured_forms_.size(); ++c) {
        std::string form = column_text(row, static_cast<int>(c));
        std::replace_if(form.begin(), form.end(), [](char ch) { return ch >= '1' && ch <= '9'; }, '0');
        std::vector<std::string>& forms = measured_forms_[c];
        if (std::find(forms.begin(), forms.end(), form) != forms.end()) continue;
        forms.push_back(std::move(form));
    }
    model_.append(std::move(row));
    if (!searching_) size_columns();
}

void CSeite7::size_columns() {
    // A cell leaves the focus frame's margin and a pixel on either side of
    // its text; the event column keeps a few pixels more.
    const int cell_margin = 2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1);
    // The forms are measured in the list's font as it is now: it follows
    // the page's factor, and so do the columns' own widths on a page larger
    // than the template.
    const QFontMetrics metrics = list_->fontMetrics();
    const double grow = std::max(1.0, built().scale());
    const auto widths = [&](std::size_t c) {
        int text = 0;
        for (const std::string& form : measured_forms_[c]) text = std::max(text, metrics.horizontalAdvance(qt_text(form)));
        return std::pair{static_cast<int>(std::lround(event_columns[c].width * grow)), text};
    };
    int others = 0;
    for (std::size_t c = 0; c + 1 < event_columns.size(); ++c) {
        const auto [own, text] = widths(c);
        const int width = std::max(own, text > 0 ? text + cell_margin : 0);
        list_->setColumnWidth(static_cast<int>(c), width);
        others += width;
    }
    // The event column holds its longest text and takes the rest of the
    // list's width. On the device's screens it never goes below its own
    // width, beyond which the list scrolls as there; on a larger page the
    // texts alone set its least width.
    const std::size_t last = event_columns.size() - 1;
    const auto [own, text] = widths(last);
    const int least = grow > 1.0 ? 0 : own;
    const int rest = list_->viewport()->width() - others;
    list_->setColumnWidth(static_cast<int>(last), std::max({least, text > 0 ? text + cell_margin + 6 : 0, rest}));
}

void CSeite7::resizeEvent(QResizeEvent* event) {
    SheetPage::resizeEvent(event);  // places the controls for the page's size
    place_list();
}

void CSeite7::place_list() {
    // The list and the bar as the template places them at the page's
    // factor; a page smaller than the template (a device's screen) keeps
    // them so.
    const double scale = built().scale();
    if (!placed_known_ || scale != placed_scale_) {
        placed_list_ = list_->geometry();
        placed_bar_ = progress_->geometry();
        placed_scale_ = scale;
        placed_known_ = true;
    }
    QRect list = placed_list_;
    QRect bar = placed_bar_;
    if (scale >= 1.0) {
        // A page that holds the template: the list reaches to the right
        // edge and the bar sits at the bottom, each with the template's
        // margin, and the list takes the height down to the bar, with the
        // template's gap above it.
        const QSize page = built().template_size() * scale;
        const int right_margin = page.width() - (placed_list_.x() + placed_list_.width());
        const int bottom_margin = page.height() - (placed_bar_.y() + placed_bar_.height());
        const int gap = placed_bar_.y() - (placed_list_.y() + placed_list_.height());
        const int right = std::max(placed_list_.x() + placed_list_.width(), width() - right_margin);
        bar.moveTop(std::max(placed_bar_.y(), height() - bottom_margin - placed_bar_.height()));
        bar.setRight(right - 1);
        list.setRight(right - 1);
        list.setBottom(bar.top() - gap - 1);
    }
    list_->setGeometry(list);
    progress_->setGeometry(bar);
    size_columns();
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
        selection_ = EventListKind::phases;
    } else if (control_as<QRadioButton>(events_eclipses_id)->isChecked()) {
        selection_ = EventListKind::eclipses;
    } else if (control_as<QRadioButton>(events_planets_id)->isChecked()) {
        selection_ = EventListKind::planets;
    }
}

ListAnswer CSeite7::show_progress(int position, int maximum) {
    // A bar whose range is 0..0 would show a busy animation: an empty span
    // keeps a range of one step. The last lunation's position lies one
    // beyond the range and shows the bar full.
    // Between the empty and the full bar, the bar and the rows are shown at
    // most every 50 ms: a repaint for each lunation would cost far more than
    // the search itself.
    constexpr qint64 repaint_interval_ms = 50;
    const int top = std::max(maximum, 1);
    if (position > 0 && position < top && since_repaint_.isValid() && since_repaint_.elapsed() < repaint_interval_ms)
        return ListAnswer::go_on;
    since_repaint_.start();
    size_columns();
    progress_->setRange(0, top);
    progress_->setValue(std::min(position, top));
    // Let the window repaint the bar and the rows so far. The event filter
    // drops input meanwhile, except an Escape that ends the search.
    QCoreApplication::processEvents();
    return cancel_requested_ ? ListAnswer::stop : ListAnswer::go_on;
}

bool CSeite7::eventFilter(QObject* watched, QEvent* event) {
    // The event column takes the rest of the list's width once the list's
    // own resize has laid out its viewport.
    if (watched == list_->viewport() && event->type() == QEvent::Resize) size_columns();
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
    model_.clear();
    for (std::vector<std::string>& forms : measured_forms_) forms.clear();
    since_repaint_.invalidate();
    // A new list starts at its left edge and with the columns' own widths.
    list_->horizontalScrollBar()->setValue(0);
    size_columns();
    search_button_->setEnabled(false);
    copy_button_->setEnabled(false);

    const double zone = state().time_zone;  // standard time: summer time is not added
    const auto add = [this](const EventHit& hit) {
        add_event_row(hit.local_mjd, hit.text);
        return ListAnswer::go_on;
    };
    const auto progress = [this](int position, int maximum) { return show_progress(position, maximum); };
    {
        const InputFilter filter(this);
        // A search that Escape ended still reports its end, which returns
        // the bar to its start.
        if (selection_ == EventListKind::phases) {
            fill_phase_list(first_year_, last_year_, zone, add, progress);
        } else if (selection_ == EventListKind::eclipses) {
            fill_eclipse_list(first_year_, last_year_, zone, add, progress);
        }
        size_columns();

        // Input that is still queued is dropped by the filter, so that no press
        // starts the search again.
        QCoreApplication::processEvents();
    }
    search_button_->setEnabled(true);
    copy_button_->setEnabled(true);
    searching_ = false;
}

void CSeite7::copy() { sheet().ui().set_clipboard_text(qt_text(events_clipboard_text(model_.rows()))); }

}  // namespace orbant
