// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/sheet_page.h"
#include "pages/events_texts.h"

class QTreeView;
class QProgressBar;
class QLineEdit;
class QPushButton;

namespace orbant {

// Control ids of the events page.
inline constexpr int events_list_id = 1044;
inline constexpr int events_search_id = 1045;
inline constexpr int events_progress_id = 1046;
inline constexpr int events_first_year_id = 1049;
inline constexpr int events_last_year_id = 1052;
inline constexpr int events_copy_id = 1053;
inline constexpr int events_phases_id = 1059;
inline constexpr int events_eclipses_id = 1060;
inline constexpr int events_planets_id = 1061;

inline constexpr const char* events_page_caption = "Ereignisse";

// The "Ereignisse" page of the sheet (template 143, 162 x 150 dialog units).
// It never becomes active_page: ticks keep refreshing the page shown before.
inline constexpr std::array<ControlSpec, 12> cseite7_controls = {{
    {no_control_id, ControlKind::group_box, "Zeitraum", 4, 2, 154, 28},
    {no_control_id, ControlKind::label, "Von Anfang", 9, 14, 38, 8},
    {events_first_year_id, ControlKind::edit, "", 48, 12, 28, 12},
    {no_control_id, ControlKind::label, "bis Ende", 84, 14, 30, 8},
    {events_last_year_id, ControlKind::edit, "", 118, 12, 34, 12},
    {events_search_id, ControlKind::button, "Suche Ereigenisse", 4, 33, 75, 14},
    {events_copy_id, ControlKind::button, "Copy", 83, 33, 75, 14},
    {events_phases_id, ControlKind::radio_button, "Mondphasen", 4, 50, 52, 10},
    {events_eclipses_id, ControlKind::radio_button, "Eclipse", 58, 50, 42, 10},
    {events_planets_id, ControlKind::radio_button, "Planeten", 102, 50, 52, 10},
    {events_list_id, ControlKind::list_view, "", 4, 63, 154, 70},
    {events_progress_id, ControlKind::progress_bar, "", 4, 137, 154, 9},
}};

inline constexpr DialogTemplate cseite7_template = page_template(143, events_page_caption, cseite7_controls);

// The rows of the events list as a table of four columns (weekday, date,
// time, event text) with the list's headings: a view of the rows the pure
// events texts make, which are also what the copy puts on the clipboard.
class EventListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Adds a row at the end.
    void append(EventRow row);
    // Removes every row.
    void clear();
    const std::vector<EventRow>& rows() const noexcept { return rows_; }

private:
    std::vector<EventRow> rows_;
};

// What the radio buttons choose: the list the search makes (the planets
// have no search behind them; their button is disabled).
enum class EventListKind { phases = 0, eclipses = 1, planets = 2 };

// The events page: a span of years, a choice between Moon phases and
// eclipses, the search with its progress bar, the four-column list and the
// copy of the list to the clipboard. The rows come from the list loops of
// the event search and their texts from the pure events texts, which the
// text front end shares.
class CSeite7 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite7(SheetHost& sheet);

    // Page state: the span and the checked radio button.
    std::int32_t first_year() const noexcept { return first_year_; }
    std::int32_t last_year() const noexcept { return last_year_; }
    EventListKind selection() const noexcept { return selection_; }
    bool searching() const noexcept { return searching_; }

    // One list row for an event at a local MJD (the zone's standard time),
    // added after the rows so far.
    void add_event_row(double local_mjd, std::string_view text);

    // Button 1045: reads the fields, clears the list and runs the search the
    // selection asks for. Ignored while a search runs. While it runs, input
    // to the program is dropped except Escape, which ends the search: the
    // rows found so far stay and the progress bar returns to its start.
    void search();
    // Button 1053: the list as text on the clipboard.
    void copy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // After the controls are placed: a page that holds the template at its
    // full size gives the list the room to its right and below it.
    void resizeEvent(QResizeEvent* event) override;

private:
    void read_fields();
    bool read_year(QLineEdit* edit, std::int32_t& year);
    // Shows the progress and the rows so far; answers stop once Escape was
    // pressed.
    ListAnswer show_progress(int position, int maximum);
    void place_list();
    void size_columns();

    EventListModel model_;
    QTreeView* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLineEdit* first_edit_ = nullptr;
    QLineEdit* last_edit_ = nullptr;
    QPushButton* search_button_ = nullptr;
    QPushButton* copy_button_ = nullptr;
    std::int32_t first_year_ = 0;
    std::int32_t last_year_ = 0;
    EventListKind selection_ = EventListKind::phases;
    bool searching_ = false;
    bool cancel_requested_ = false;  // Escape was pressed during the search
    // Widest text of each column among the rows, pixels in the list's font.
    // The forms of the column texts, digits as zeros, which the columns'
    // widths are measured from.
    std::array<std::vector<std::string>, event_columns.size()> measured_forms_;
    QElapsedTimer since_repaint_;  // since the bar and the rows were last shown
    // The list's and the bar's rectangles as the template places them at
    // the factor placed_scale_.
    QRect placed_list_;
    QRect placed_bar_;
    double placed_scale_ = 0.0;
    bool placed_known_ = false;
};

}  // namespace orbant
