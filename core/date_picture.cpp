#include "core/date_picture.h"

#include <cstddef>

namespace inkwarden {

namespace {

constexpr std::size_t kMaxPictureCharacters = 40;

std::string Number(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

// 0 for Sunday (Sakamoto's method).
int Weekday(const Day& d) {
    static const int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int y = d.month < 3 ? d.year - 1 : d.year;
    return (y + y / 4 - y / 100 + y / 400 + kMonthOffset[(d.month - 1) % 12] + d.day) % 7;
}

std::string Element(const Day& d, char letter, std::size_t count) {
    static const char* const kDigits[] = {"日", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    switch (letter) {
    case 'd':
        if (count <= 2)
            return Number(d.day, count);
        return std::string(count == 3 ? "周" : "星期") + kDigits[Weekday(d)];
    case 'M':
        if (count <= 2)
            return Number(d.month, count);
        if (count == 3)
            return std::to_string(d.month) + "月";
        return std::string(d.month >= 10 ? "十" : "") + (d.month % 10 ? kDigits[d.month % 10] : "") + "月";
    case 'y':
        return count <= 2 ? Number(d.year % 100, count) : std::to_string(d.year);
    default: // 'g'
        return "公元";
    }
}

} // namespace

std::optional<std::string> DateByPicture(const Day& day, std::string_view picture) {
    std::size_t characters = 0;
    for (char c : picture)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters > kMaxPictureCharacters)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted text up to the next lone quote; two quotes are one.
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != '\'') {
                    out += picture[i];
                } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    out += '\'';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == 'd' || c == 'M' || c == 'y' || c == 'g')
            out += Element(day, c, run);
        else
            out.append(run, c);
        i += run;
    }
    return out;
}

} // namespace inkwarden
