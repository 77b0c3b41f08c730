// Today's date as text by a date picture, the way the system's date formatting reads one,
// for the command line on a system without it. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace inkwarden {

struct Day {
    int year, month, day; // month 1..12, day 1..31
};

// The picture used where the window would take the user's short date and no system
// gives one: the short date of the Chinese (PRC) locale.
constexpr std::string_view kShortDatePicture = "yyyy/M/d";

// The day by `picture`: d, dd (day), ddd, dddd (weekday), M, MM (month), MMM, MMMM (its
// name), y, yy (year in the century), yyy and longer (the full year), g, gg (the era);
// text in single quotes as it stands ('' is a quote), any other character as it stands.
// Names are the Chinese (PRC) ones. Nothing for a picture longer than 40 characters, as
// the window refuses it too.
std::optional<std::string> DateByPicture(const Day& day, std::string_view picture);

} // namespace inkwarden
