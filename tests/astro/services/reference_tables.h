// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readers for the reference tables of tests/data/services_*_reference.txt
// (see tests/data/README.md for where they come from).

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "astro/civil_date_time.h"

namespace orbant::testing_reference {

inline std::string data_path(const std::string& name) {
    return std::string(ORBANT_SOURCE_DIR) + "/tests/data/" + name;
}

// Every data line of a table with its line number (comments skipped).
struct Line {
    int number = 0;
    std::string text;
};

inline std::vector<Line> data_lines(const std::string& name) {
    std::ifstream in(data_path(name));
    if (!in) {
        throw std::runtime_error("cannot open " + data_path(name));
    }
    std::vector<Line> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (text.empty() || text[0] == '#') {
            continue;
        }
        lines.push_back(Line{number, text});
    }
    return lines;
}

// Values after "key=" as a list of hours; "-" is the empty list.
inline std::vector<double> hour_list(const std::string& token, const std::string& key) {
    if (token.rfind(key + "=", 0) != 0) {
        throw std::runtime_error("expected " + key + "= in " + token);
    }
    std::vector<double> values;
    const std::string rest = token.substr(key.size() + 1);
    if (rest == "-") {
        return values;
    }
    std::stringstream list(rest);
    std::string item;
    while (std::getline(list, item, ',')) {
        values.push_back(std::stod(item));
    }
    return values;
}

inline void parse_date(const std::string& text, int& year, int& month, int& day) {
    if (std::sscanf(text.c_str(), "%d-%d-%d", &year, &month, &day) != 3) {
        throw std::runtime_error("bad date " + text);
    }
}

// Every row of a table, each read from its data line by read_row (which
// returns false for a malformed line) and given its line number; what names
// the kind of row in the error thrown for a malformed one.
template <class Row, class ReadRow>
std::vector<Row> table_rows(const std::string& name, const std::string& what, ReadRow read_row) {
    std::vector<Row> rows;
    for (const Line& line : data_lines(name)) {
        std::istringstream in(line.text);
        Row row;
        row.line = line.number;
        if (!read_row(in, row)) {
            throw std::runtime_error("bad " + what + " row " + std::to_string(line.number));
        }
        rows.push_back(row);
    }
    return rows;
}

// One row of services_rise_set_reference.txt.
struct RiseSetRow {
    int line = 0;
    std::string body;   // sun, moon, mercury, ..., pluto
    std::string kind;   // sun, civil, nautical, astronomical, moon, planet
    std::string place;
    double latitude_deg = 0.0;
    double longitude_deg = 0.0;
    double zone_hours = 0.0;
    int year = 0, month = 0, day = 0;
    double threshold_deg = 0.0;
    bool above = false;
    std::vector<double> rises, sets, transits;  // local hours on the civil day

    std::string where() const {
        return "services_rise_set_reference.txt:" + std::to_string(line) + " (" + body + " " + kind + " " + place +
               " " + std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day) + ")";
    }
};

inline std::vector<RiseSetRow> rise_set_rows() {
    return table_rows<RiseSetRow>("services_rise_set_reference.txt", "rise/set", [](std::istream& in, RiseSetRow& row) {
        std::string date, above, rise, set, transit;
        in >> row.body >> row.kind >> row.place >> row.latitude_deg >> row.longitude_deg >> row.zone_hours >> date >>
            row.threshold_deg >> above >> rise >> set;
        if (!in) {
            return false;
        }
        parse_date(date, row.year, row.month, row.day);
        row.above = above == "above=1";
        row.rises = hour_list(rise, "rise");
        row.sets = hour_list(set, "set");
        if (in >> transit) {
            row.transits = hour_list(transit, "transit");
        }
        return true;
    });
}

// One row of services_positions_reference.txt.
struct PositionRow {
    int line = 0;
    std::string body;
    std::string place;
    double latitude_deg = 0.0, longitude_deg = 0.0, zone_hours = 0.0;
    CivilDateTime local{};
    double ra_deg = 0.0, dec_deg = 0.0, altitude_deg = 0.0, azimuth_deg = 0.0;
    double distance_km = 0.0, distance_au = 0.0, illuminated_fraction = 0.0;

    std::string where() const {
        return "services_positions_reference.txt:" + std::to_string(line) + " (" + body + " " + place + ")";
    }
};

inline std::vector<PositionRow> position_rows() {
    return table_rows<PositionRow>("services_positions_reference.txt", "position", [](std::istream& in, PositionRow& row) {
        std::string when;
        in >> row.body >> row.place >> row.latitude_deg >> row.longitude_deg >> row.zone_hours >> when >> row.ra_deg >>
            row.dec_deg >> row.altitude_deg >> row.azimuth_deg >> row.distance_km >> row.distance_au >>
            row.illuminated_fraction;
        return in && std::sscanf(when.c_str(), "%d-%d-%dT%d:%d:%d", &row.local.year, &row.local.month, &row.local.day,
                                 &row.local.hour, &row.local.minute, &row.local.second) == 6;
    });
}

// One row of services_phase_reference.txt: an instant in universal time.
struct PhaseRow {
    int line = 0;
    std::string kind;  // full, new, opposition
    std::string body;
    int year = 0, month = 0, day = 0;
    double hours_ut = 0.0;
    double illuminated_fraction = 0.0;

    std::string where() const {
        return "services_phase_reference.txt:" + std::to_string(line) + " (" + kind + " " + body + ")";
    }
};

inline std::vector<PhaseRow> phase_rows() {
    return table_rows<PhaseRow>("services_phase_reference.txt", "phase", [](std::istream& in, PhaseRow& row) {
        std::string date;
        in >> row.kind >> row.body >> date >> row.hours_ut >> row.illuminated_fraction;
        if (!in) {
            return false;
        }
        parse_date(date, row.year, row.month, row.day);
        return true;
    });
}

// Body number of the planet theories for a table's body name (0 the Sun).
inline int body_number(const std::string& name) {
    static const char* const names[] = {"sun",    "mercury", "venus",  "earth",   "mars",
                                        "jupiter", "saturn", "uranus", "neptune", "pluto"};
    for (int i = 0; i < 10; ++i) {
        if (name == names[i]) {
            return i;
        }
    }
    throw std::runtime_error("unknown body " + name);
}

}  // namespace orbant::testing_reference
