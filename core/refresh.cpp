#include "core/refresh.h"

#include "core/text.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

namespace inkwarden {

namespace {

constexpr std::string_view kWideColon = "\xEF\xBC\x9A"; // ：
constexpr std::string_view kEmDash = "\xE2\x80\x94";    // —

// No parameter a fill writes is longer; what follows is the person's own text. The bound
// also keeps a refresh linear in the length of a line.
constexpr std::size_t kLongestParameter = 256;
constexpr int kMostCuts = 12;

bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// A line that begins with `name` as a word of its own.
bool BeginsWithName(std::string_view line, std::string_view name) {
    return !name.empty() && line.substr(0, name.size()) == name &&
           (line.size() == name.size() || !IsNameByte(line[name.size()]));
}

// What separates a parameter from a description beyond doubt: "：", ":", a dash, a tab,
// two blanks, or the end of the line. A single blank could as well stand inside prose.
bool StrongSeparator(std::string_view after) {
    const std::size_t blanks = LeadingBlanks(after);
    if (blanks == after.size() || blanks >= 2 || after.substr(0, blanks).find('\t') != std::string_view::npos)
        return true;
    after.remove_prefix(blanks);
    return after.substr(0, kWideColon.size()) == kWideColon || after.substr(0, kEmDash.size()) == kEmDash ||
           after[0] == ':' || after[0] == '-';
}

// A heading of the language with `parameter` as its only parameter, for the reader to
// say what the parameter's name is.
std::string HeadingWith(std::string_view language, std::string_view parameter) {
    static constexpr struct {
        const char *language, *before, *after;
    } kHeadings[] = {
        {"python", "def f(", "):"},
        {"go", "func f(", ")"},
        {"rust", "fn f(", ")"},
        {"php", "function f(", ")"},
        {"vb", "Sub f(", ")"},
        {"delphi", "procedure f(", ");"},
        {"javascript", "function f(", ") {"},
        {"typescript", "function f(", ") {"},
    };
    const char *before = "void f(", *after = ");";
    for (const auto& h : kHeadings)
        if (language == h.language)
            before = h.before, after = h.after;
    std::string text = before;
    text.append(parameter);
    text += after;
    return text;
}

struct Head {
    std::size_t end; // where the parameter ends on the line: the person's text starts here
    std::string name;
};

// The heading's parameters by name and by text, so every old line is matched in time
// independent of how many parameters there are.
struct Current {
    explicit Current(const Signature& heading) : heading(heading) {
        for (std::size_t k = 0; k < heading.parameters.size(); ++k) {
            if (heading.names[k].empty())
                continue;
            byName.emplace(heading.names[k], k);
            byText.emplace(heading.parameters[k], k);
        }
    }
    bool Named(std::string_view name) const { return byName.count(name) != 0; }
    const Signature& heading;
    std::unordered_map<std::string_view, std::size_t> byName, byText;
};

// Where the parameter an old line begins with ends at the latest: a fill writes a
// parameter on one line with single blanks, so two blanks, a tab, "：", "—" or " - "
// start what the person added, and so does the first letter beyond ASCII (the readers
// take a description for a type: `x: int - the x`, `x: 横坐标`).
std::size_t ParameterBound(std::string_view line) {
    std::size_t bound = std::min(line.size(), kLongestParameter);
    for (std::string_view mark :
         {std::string_view("  "), std::string_view("\t"), std::string_view(" - "), kWideColon, kEmDash})
        bound = std::min(bound, line.find(mark));
    for (std::size_t i = 0; i < bound; ++i)
        if (static_cast<unsigned char>(line[i]) >= 0x80)
            return i;
    return bound;
}

// A name a parameter may have: a letter, '_' or '$' first, and more than a '$'.
bool LooksLikeName(std::string_view name) {
    return !name.empty() && !(name[0] >= '0' && name[0] <= '9') && name != "$" &&
           std::all_of(name.begin(), name.end(), IsNameByte);
}

// The parameter an old line begins with, and its name. A current parameter's name wins:
// the parameter as a fill writes it, the longest start the heading's language reads as a
// parameter of that name, or the name alone. Else a parameter that is gone: the longest
// start read as one named parameter, or a word, either followed by a separator beyond
// doubt (prose reads as a declaration too).
std::optional<Head> ParameterAt(std::string_view line, const Current& current) {
    if (line.empty() || IsBlank(line[0]))
        return std::nullopt;
    const std::size_t bound = ParameterBound(line);
    std::vector<std::size_t> cuts;
    for (std::size_t i = 1; i <= bound && static_cast<int>(cuts.size()) < kMostCuts; ++i)
        if (i == bound || (IsBlank(line[i]) && !IsBlank(line[i - 1])) || line[i] == ':')
            cuts.push_back(i);
    for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut) {
        const std::string_view prefix = TrimRight(line.substr(0, *cut));
        const auto same = current.byText.find(prefix);
        if (same != current.byText.end() && BeginsWithName(line, prefix))
            return Head{prefix.size(), current.heading.names[same->second]};
    }
    std::optional<Head> gone;
    for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut) {
        const std::string_view prefix = TrimRight(line.substr(0, *cut));
        const std::optional<Signature> read = ReadSignature(HeadingWith(current.heading.language, prefix));
        if (!read || read->parameters.size() != 1 || !LooksLikeName(read->names[0]))
            continue;
        if (current.Named(read->names[0]))
            return Head{prefix.size(), read->names[0]};
        if (!gone && StrongSeparator(line.substr(prefix.size())))
            gone = Head{prefix.size(), read->names[0]};
    }
    std::size_t word = 0;
    while (word < line.size() && IsNameByte(line[word]))
        ++word;
    if (current.Named(line.substr(0, word)))
        return Head{word, std::string(line.substr(0, word))};
    if (gone)
        return gone;
    if (LooksLikeName(line.substr(0, word)) && word < line.size() && StrongSeparator(line.substr(word)))
        return Head{word, std::string(line.substr(0, word))};
    return std::nullopt;
}

struct Entry {
    std::string name;
    std::string_view said;                 // after the parameter on its own line
    std::vector<std::string_view> further; // the lines that continue it
};

std::vector<std::string_view> FieldLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

} // namespace

RefreshedParameters RefreshParameters(std::string_view old, const Signature& heading) {
    const Current current(heading);
    std::vector<std::string_view> first; // before the first parameter line
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> entryNamed;
    for (std::string_view line : old.empty() ? std::vector<std::string_view>() : FieldLines(old)) {
        std::optional<Head> head = ParameterAt(line, current);
        // A second line of a parameter's name goes with the first: it says more of it.
        const auto same = head ? entryNamed.find(head->name) : entryNamed.end();
        if (same != entryNamed.end()) {
            entries[same->second].further.push_back(line);
        } else if (head) {
            entryNamed.emplace(head->name, entries.size());
            entries.push_back({std::move(head->name), line.substr(head->end), {}});
        } else if (entries.empty())
            first.push_back(line);
        else
            entries.back().further.push_back(line);
    }

    // Each current parameter's entry: by name, else a rename at the same position.
    const std::size_t n = heading.parameters.size();
    std::vector<const Entry*> kept(n, nullptr);
    std::vector<bool> used(entries.size(), false);
    for (std::size_t k = 0; k < n; ++k) {
        const auto named = heading.names[k].empty() ? entryNamed.end() : entryNamed.find(heading.names[k]);
        if (named != entryNamed.end() && !used[named->second]) {
            kept[k] = &entries[named->second];
            used[named->second] = true;
        }
    }
    for (std::size_t k = 0; k < n && k < entries.size(); ++k)
        if (!kept[k] && !used[k] && !entryNamed.count(heading.names[k]) && !current.Named(entries[k].name)) {
            kept[k] = &entries[k];
            used[k] = true;
        }

    RefreshedParameters out{std::string(), std::string::npos};
    bool any = false;
    auto add = [&](std::string_view line) {
        if (any)
            out.text += "\r\n";
        any = true;
        out.text.append(line);
    };
    for (std::string_view line : first)
        add(line);
    for (std::size_t k = 0; k < n; ++k) {
        add(heading.parameters[k]);
        if (!kept[k]) {
            if (out.caret == std::string::npos)
                out.caret = out.text.size();
            continue;
        }
        out.text.append(kept[k]->said);
        for (std::string_view line : kept[k]->further)
            add(line);
    }
    return out;
}

} // namespace inkwarden
