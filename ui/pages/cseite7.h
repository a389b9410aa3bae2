#pragma once
#include <QElapsedTimer>
#include <QList>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/sheet_page.h"
#include "pages/events_texts.h"

class QTreeWidgetItem;

class QTreeWidget;
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

// The events page: a span of years, a choice between Moon phases and
// eclipses, the search with its progress bar, the four-column list and the
// copy of the list to the clipboard. The rows come from the list loops of
// the event search and their texts from the pure events texts, which the
// text front end shares.
class CSeite7 : public SheetPage {
    Q_OBJECT
public:
    explicit CSeite7(SheetHost& sheet);

    // Page state: the span and the index of the checked radio button.
    std::int32_t first_year() const noexcept { return first_year_; }
    std::int32_t last_year() const noexcept { return last_year_; }
    int selection() const noexcept { return selection_; }
    bool searching() const noexcept { return searching_; }

    // One list row for an event at a local MJD (the zone's standard time),
    // inserted at the row counter.
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

private:
    void read_fields();
    bool read_year(QLineEdit* edit, std::int32_t& year);
    void show_progress(int position, int maximum);

    QTreeWidget* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLineEdit* first_edit_ = nullptr;
    QLineEdit* last_edit_ = nullptr;
    QPushButton* search_button_ = nullptr;
    QPushButton* copy_button_ = nullptr;
    std::int32_t first_year_ = 0;
    std::int32_t last_year_ = 0;
    int selection_ = 0;
    int row_counter_ = 0;
    std::vector<EventRow> rows_;  // the list's rows, as shown
    bool searching_ = false;
    bool cancel_requested_ = false;  // Escape was pressed during the search
    // Rows made since the list was last updated; they go in together.
    QList<QTreeWidgetItem*> pending_items_;
    int event_text_width_ = 0;    // widest event text of the search, pixels
    QElapsedTimer since_repaint_;  // since the bar and the rows were last shown
    void flush_rows();
};

}  // namespace orbant
