// SPDX-License-Identifier: GPL-3.0-or-later
// The body and star table and the constellation figures: the compiled-in
// table against the carried data files, the structure of the table and the
// counts of the carried catalogue data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "stars/sky_table.h"
#include "stars/star_catalogue.h"

namespace {

using namespace orbant;

const std::string data_dir = std::string(ORBANT_SOURCE_DIR) + "/data/stars/";

// The sheet's table and figure list as start-up fills them (in static
// storage: the table is large).
struct Filled {
    SkyTable table;
    FigureList figures;
};

const Filled& filled() {
    static const std::unique_ptr<Filled> f = [] {
        auto p = std::make_unique<Filled>();
        fill_body_and_star_table(p->table, p->figures);
        return p;
    }();
    return *f;
}

const SkyTable& filled_table() { return filled().table; }
const FigureList& filled_figures() { return filled().figures; }

// One row of data/stars/stars.csv: index,"name",magnitude,ra_deg,dec_deg,hr.
struct DataRow {
    std::string index, name, magnitude, ra, dec;
};

std::vector<DataRow> read_data_rows() {
    std::ifstream in(data_dir + "stars.csv");
    std::vector<DataRow> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        // Names are quoted and hold no comma or quote.
        const std::size_t open = line.find(",\""), close = line.rfind("\",");
        if (open == std::string::npos || close == std::string::npos || close <= open) {
            ADD_FAILURE() << "stars.csv line " << rows.size() + 2 << " unreadable: " << line;
            continue;
        }
        DataRow r{line.substr(0, open), line.substr(open + 2, close - open - 2), "", "", ""};
        std::istringstream rest(line.substr(close + 2));
        std::getline(rest, r.magnitude, ',');
        std::getline(rest, r.ra, ',');
        std::getline(rest, r.dec, ',');
        rows.push_back(r);
    }
    return rows;
}

// The magnitude printed in a named star's name: the first parenthesis that
// holds a number, blanks allowed before it ("Megrez( 3.31) Gr.Bär").
std::optional<double> printed_magnitude(std::string_view name) {
    for (std::size_t p = name.find('('); p != std::string_view::npos; p = name.find('(', p + 1)) {
        const std::size_t close = name.find(')', p);
        if (close == std::string_view::npos) break;
        const std::string inner(name.substr(p + 1, close - p - 1));
        std::size_t used = 0;
        try {
            const double v = std::stod(inner, &used);
            if (used == inner.size()) return v;
        } catch (const std::exception&) {
        }
    }
    return std::nullopt;
}

// A numbered star's name "designation (m.mm) [n]": the printed magnitude
// and the catalogue number, or nothing when the name has another form.
std::optional<std::pair<double, int>> numbered_name_parts(std::string_view name) {
    const std::size_t bracket = name.rfind(" [");
    if (name.empty() || name.front() == ' ' || name.back() != ']' || bracket == std::string_view::npos ||
        bracket < 8)
        return std::nullopt;
    const std::string_view magnitude = name.substr(bracket - 7, 7);  // " (m.mm)"
    const std::string_view number = name.substr(bracket + 2, name.size() - bracket - 3);
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (magnitude.substr(0, 2) != " (" || !digit(magnitude[2]) || magnitude[3] != '.' || !digit(magnitude[4]) ||
        !digit(magnitude[5]) || magnitude[6] != ')' || number.empty() || !std::all_of(number.begin(), number.end(), digit))
        return std::nullopt;
    return std::pair{std::stod(std::string(magnitude.substr(2, 4))), std::stoi(std::string(number))};
}

TEST(StarTable, HoldsTheCarriedDataByteForByte) {
    const std::vector<DataRow> rows = read_data_rows();
    ASSERT_EQ(rows.size(), sky_object_count);
    const SkyTable& table = filled_table();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("stars.csv line " + std::to_string(i + 2));
        EXPECT_EQ(rows[i].index, std::to_string(i));
        EXPECT_EQ(table[i].name(), rows[i].name);
        EXPECT_EQ(table[i].magnitude, std::stod(rows[i].magnitude));
        EXPECT_EQ(table[i].right_ascension_deg, std::stod(rows[i].ra));
        EXPECT_EQ(table[i].declination_deg, std::stod(rows[i].dec));
    }

    std::ifstream in(data_dir + "figures.txt");
    std::vector<int> values;
    for (int v; in >> v;) values.push_back(v);
    const FigureList& figures = filled_figures();
    EXPECT_TRUE(std::equal(values.begin(), values.end(), figures.begin(), figures.end()));
}

TEST(StarTable, BodiesStartWithTheirNamesAndMagnitudes) {
    const struct {
        const char* name;
        double magnitude;
    } bodies[] = {{"Mond", -12.7},         {"Sonne (-26.8)", -26.8}, {"Merkur (-0.2)", -0.2},
                  {"Venus (-3.9)", -3.9},  {"Mars (1.6)", 1.6},      {"Jupiter (-1.9)", -1.9},
                  {"Saturn (-0.3)", -0.3}, {"Uranus (5.9)", 5.9},    {"Neptun (8.0)", 8.0},
                  {"Pluto (13.9)", 13.9}};
    const SkyTable& table = filled_table();
    for (std::size_t i = 0; i < std::size(bodies); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].name(), bodies[i].name);
        EXPECT_EQ(table[i].magnitude, bodies[i].magnitude);
        EXPECT_EQ(table[i].right_ascension_deg, 0.0);
        EXPECT_EQ(table[i].declination_deg, 0.0);
    }
    EXPECT_EQ(planet_number_of_entry(first_planet_entry), 1);      // Mercury
    EXPECT_EQ(planet_number_of_entry(first_planet_entry + 2), 4);  // Mars: the Earth has no entry
    EXPECT_EQ(planet_number_of_entry(first_star_entry - 1), 9);    // Pluto
}

// The counts of the carried catalogue data (where they differ from the
// original table's, the data's own hold) and the magnitude range.
TEST(StarTable, CatalogueCountsOfTheStars) {
    const SkyTable& table = filled_table();
    int classes[7] = {};  // below -1, [-1, 0), [0, 1), ... [4, 5)
    double faintest = -100.0, brightest = 100.0;
    for (std::size_t i = first_star_entry; i < sky_object_count; ++i) {
        const double m = table[i].magnitude;
        faintest = std::max(faintest, m);
        brightest = std::min(brightest, m);
        const int c = static_cast<int>(std::floor(m)) + 2;
        ASSERT_GE(c, 0) << i;
        ASSERT_LT(c, 7) << i;
        ++classes[c];
    }
    const int expected[7] = {1, 2, 12, 33, 119, 350, 561};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(classes[c], expected[c]) << "class " << c;
    EXPECT_EQ(brightest, -1.44);
    EXPECT_EQ(faintest, 4.9);

    int unnamed = 0;
    for (std::size_t i = first_numbered_star_entry; i < sky_object_count; ++i)
        if (table[i].name().starts_with("Stern (")) ++unnamed;
    EXPECT_EQ(unnamed, 108);

    EXPECT_EQ(table[11].name(), "Sirius (-1.14) Gr. Hund");
    EXPECT_EQ(table[11].magnitude, -1.44);
    EXPECT_EQ(table[574].name(), "Stern (4.39) [3145]");
    EXPECT_EQ(table[10].right_ascension_deg, 279.2340);  // Vega, catalogue place
    EXPECT_EQ(table[10].declination_deg, 38.7836);
}

// Name formats: named stars "name (m) constellation", numbered stars
// "designation (m.mm) [n]" with rising catalogue numbers 3 to 9098; the
// printed magnitude is the stored one except for Sirius.
TEST(StarTable, NameFormatsAndCatalogueOrder) {
    const SkyTable& table = filled_table();
    for (std::size_t i = 1; i < sky_object_count; ++i)
        EXPECT_NE(table[i].name().find(')'), std::string_view::npos) << i;

    for (std::size_t i = first_star_entry; i < first_numbered_star_entry; ++i) {
        const std::optional<double> printed = printed_magnitude(table[i].name());
        ASSERT_TRUE(printed) << i << " " << table[i].name();
        if (i != 11) {
            EXPECT_EQ(*printed, table[i].magnitude) << i << " " << table[i].name();
        }
    }

    int previous = 0;
    for (std::size_t i = first_numbered_star_entry; i < sky_object_count; ++i) {
        const auto parts = numbered_name_parts(table[i].name());
        ASSERT_TRUE(parts) << i << " " << table[i].name();
        EXPECT_EQ(parts->first, table[i].magnitude) << table[i].name();
        EXPECT_GT(parts->second, previous) << table[i].name();
        previous = parts->second;
    }
    EXPECT_EQ(table[first_numbered_star_entry].name(), "33 Psc (4.61) [3]");
    EXPECT_EQ(previous, 9098);
}

// The named stars stand in the groups the figure list relies on.
TEST(StarTable, NamedStarsStandInTheirConstellationGroups) {
    const char* brightest[] = {"Lyra",     "Gr. Hund", "Carina",         "Kl. Bär",   "Bootes",
                               "Kentaurus", "Fuhrmann", "Orion",         "Kl. Hund",  "Orion",
                               "Eridanus", "Centaurus", "Adler",         "Crux australis", "Stier",
                               "Jungfrau", "Skorpion", "Zwilling",       "Piscis Autstr.", "Crux australis",
                               "Schwan"};
    const struct {
        std::size_t first, last;
        const char* constellation;
    } groups[] = {{31, 37, "Gr.Bär"},      {38, 43, "Orion"},         {44, 48, "Cassiopeia"},
                  {49, 52, "Lyra"},        {53, 54, "Crux australis"}, {55, 59, "Bootes"},
                  {60, 64, "Fuhrmann"},    {65, 69, "Adler"},         {70, 74, "Schwan"},
                  {75, 81, "Zwilling"},    {82, 84, "Andromeda"},     {85, 85, "Kl. Hund"},
                  {86, 86, "Hydra"},       {87, 87, "Gr. Hund"},      {88, 88, "Plejaden"},
                  {89, 96, "Löwe"},        {97, 101, "Schütze"},      {102, 102, "Andromeda"},
                  {103, 106, "Gr.Hund"},   {107, 117, "Skorpion"},    {118, 125, "Jungfrau"},
                  {126, 147, "Schlangenträger"}, {148, 151, "Waage"}, {152, 161, "Wassermann"},
                  {162, 163, "Stier"},     {164, 171, "Pegasus"},     {172, 177, "Perseus"},
                  {178, 183, "Krone"},     {184, 197, "Herkules"},    {198, 198, "Carina"},
                  {199, 205, "Achterschiff"}, {206, 212, "Cepheus"},  {213, 217, "Rabe"},
                  {218, 221, "Becher"},    {222, 229, "Wasserschlange"}, {230, 243, "Drache"},
                  {244, 253, "Steinbock"}, {254, 256, "Widder"},      {257, 261, "Krebs"},
                  {262, 273, "Fische"}};
    const SkyTable& table = filled_table();
    for (std::size_t k = 0; k < std::size(brightest); ++k)
        EXPECT_TRUE(table[first_star_entry + k].name().ends_with(brightest[k])) << table[first_star_entry + k].name();
    std::size_t next = first_star_entry + std::size(brightest);
    for (const auto& g : groups) {
        EXPECT_EQ(g.first, next) << g.constellation;
        next = g.last + 1;
        for (std::size_t i = g.first; i <= g.last; ++i)
            EXPECT_NE(table[i].name().find(g.constellation), std::string_view::npos) << i << " " << table[i].name();
    }
    EXPECT_EQ(next, first_numbered_star_entry);
}

// Angle between two table stars, degrees.
double separation_deg(const SkyObject& a, const SkyObject& b) {
    const double r = 0.017453292519943295;
    const double c = std::sin(a.declination_deg * r) * std::sin(b.declination_deg * r) +
                     std::cos(a.declination_deg * r) * std::cos(b.declination_deg * r) *
                         std::cos((a.right_ascension_deg - b.right_ascension_deg) * r);
    return std::acos(std::clamp(c, -1.0, 1.0)) / r;
}

// 324 values, 50 non-empty polylines and two empty ones, indices 10 to 273,
// and every join short, as a constellation figure's lines are (the
// longest, Ceginus to Arktur, is 19.5 degrees): a wrong index would draw a
// line across the sky.
TEST(StarTable, FigureListJoinsNearbyNamedStars) {
    const FigureList& figures = filled_figures();
    const SkyTable& table = filled_table();
    ASSERT_EQ(figures.back(), 0);
    int polylines = 0, empty = 0, points = 0;
    double longest = 0.0;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const int v = figures[i];
        if (v == 0) {
            ++(points == 0 ? empty : polylines);
            points = 0;
            continue;
        }
        EXPECT_GE(v, 10);
        EXPECT_LE(v, 273);
        if (points++ > 0) {
            const int previous = figures[i - 1];
            EXPECT_NE(v, previous);
            longest = std::max(longest, separation_deg(table[static_cast<std::size_t>(previous)],
                                                       table[static_cast<std::size_t>(v)]));
        }
    }
    EXPECT_EQ(polylines, 50);
    EXPECT_EQ(empty, 2);
    EXPECT_NEAR(longest, 19.5, 0.05);
    EXPECT_EQ(figures[0], 37);  // Alkaid first: the Great Bear's figure
}

// A name longer than the buffer is cut at a character start, never inside
// a UTF-8 sequence; shorter names are kept whole.
TEST(SkyObjectName, KeepsWholeUtf8Characters) {
    const std::string fits(sky_name_capacity - 1, 'x');
    const std::string umlaut_across_end = std::string(sky_name_capacity - 2, 'x') + "ä";
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"Mond ( 57%)", "Mond ( 57%)"},
        {fits, fits},
        {fits + "y", fits},
        {umlaut_across_end, std::string(sky_name_capacity - 2, 'x')},
    };
    for (const auto& c : cases) {
        SkyObject o;
        o.set_name("Sonne (-26.8)");
        o.set_name(c.text);
        EXPECT_EQ(o.name(), c.expected) << c.text;
    }
}

}  // namespace
