#include "platform/platform.h"

#include <vector>

namespace inkwarden {

namespace {

// The answer of a profile call that hands out NUL-separated texts with a second NUL at
// the end (fill(buffer, size) returns the characters written). Such a call reports a
// full buffer as size - 2, so the buffer grows until the answer is shorter than that.
template <typename Fill> std::vector<std::wstring> MultiString(std::size_t initial, Fill fill) {
    std::vector<wchar_t> buf(initial);
    DWORD n = 0;
    for (;;) {
        n = fill(buf.data(), static_cast<DWORD>(buf.size()));
        if (n + 2 < buf.size() || buf.size() >= (1u << 24))
            break;
        buf.resize(buf.size() * 4);
    }
    std::vector<std::wstring> texts;
    for (const wchar_t* p = buf.data(); p < buf.data() + n && *p; p += texts.back().size() + 1)
        texts.emplace_back(p);
    return texts;
}

} // namespace

std::wstring ReadProfileValue(const std::wstring& section, const std::wstring& key, const std::wstring& path,
                              const std::wstring& absent) {
    // GetPrivateProfileStringW cuts a value to the buffer and reports size - 1; grow
    // until the whole value fits, so a long author name is never truncated.
    std::vector<wchar_t> buf(256);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), absent.c_str(), buf.data(),
                                                 static_cast<DWORD>(buf.size()), path.c_str());
        if (n + 1 < buf.size())
            return std::wstring(buf.data(), n);
        if (buf.size() >= (1u << 24)) // a 16-million-character value is not a setting
            return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

std::vector<std::wstring> ReadProfileSectionNames(const std::wstring& path) {
    return MultiString(1024, [&](wchar_t* buf, DWORD size) {
        return GetPrivateProfileSectionNamesW(buf, size, path.c_str());
    });
}

ProfileSection ReadProfileSection(const std::wstring& section, const std::wstring& path) {
    ProfileSection result;
    const std::vector<std::wstring> lines = MultiString(4096, [&](wchar_t* buf, DWORD size) {
        return GetPrivateProfileSectionW(section.c_str(), buf, size, path.c_str());
    });
    for (const std::wstring& line : lines) {
        const std::size_t eq = line.find(L'=');
        if (eq == std::wstring::npos || line[0] == L';')
            continue;
        result.entries.push_back({TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))});
    }
    return result;
}

const ProfileSection::Entry* ProfileSection::Find(const std::wstring& key) const {
    for (const Entry& e : entries)
        if (CompareStringOrdinal(e.key.c_str(), static_cast<int>(e.key.size()), key.c_str(),
                                 static_cast<int>(key.size()), TRUE) == CSTR_EQUAL)
            return &e;
    return nullptr;
}

bool ProfileSection::Has(const std::wstring& key) const {
    return Find(key) != nullptr;
}

std::wstring ProfileSection::Value(const std::wstring& key) const {
    if (const Entry* found = Find(key)) {
        const Entry& e = *found;
        // As GetPrivateProfileStringW hands out a value: a quote at both ends, the same
        // one, is dropped, so the blanks inside are kept.
        const std::wstring& v = e.value;
        if (v.size() >= 2 && (v[0] == L'"' || v[0] == L'\'') && v.back() == v[0])
            return v.substr(1, v.size() - 2);
        return v;
    }
    return std::wstring();
}

bool WriteProfileValue(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                       const std::wstring& path) {
    SetLastError(ERROR_SUCCESS);
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

} // namespace inkwarden
