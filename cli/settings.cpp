#include "cli/settings.h"

#include "core/ini_text.h"
#include "core/own_sections.h"
#include "core/setting_number.h"
#include "files/codec.h"
#include "files/file_io.h"
#include "files/system.h"

#include <utility>

namespace inkwarden {

namespace fs = std::filesystem;

namespace {

constexpr char kIniFileName[] = "scribbet.ini";

fs::path FoundIni() {
    std::error_code ec;
    const fs::path beside = ProgramFolder() / kIniFileName;
    if (!ProgramFolder().empty() && fs::is_regular_file(beside, ec))
        return beside;
    if (fs::is_regular_file(kIniFileName, ec))
        return fs::path(kIniFileName);
    return fs::path();
}

} // namespace

bool LoadCliSettings(const std::optional<std::string>& given, unsigned codePage, CliSettings& settings,
                     std::string& problem) {
    const fs::path path = given ? PathOf(*given) : FoundIni();
    SetCustomStyles({});
    SetOwnTemplates({});
    if (path.empty())
        return true;
    std::string bytes, text;
    if (!ReadWholeFile(path, bytes, problem))
        return false;
    if (!DecodeSettingsText(bytes, codePage, text)) {
        problem = "not text in UTF-8, UTF-16 or code page " + std::to_string(codePage);
        return false;
    }
    settings.path = Utf8Of(path);
    const IniText ini = ParseIniText(text);
    if (const IniSection* main = ini.Find("main")) {
        settings.author = main->Value("writer");
        settings.datePicture = main->Value("date");
        settings.code = ParseSettingNumber(main->Value("code"), settings.code);
    }
    OwnSections own = OwnSectionsOf(ini.Names(), [&ini](const std::string& name) { return *ini.Find(name); });
    SetCustomStyles(std::move(own.styles));
    SetOwnTemplates(std::move(own.templates));
    return true;
}

} // namespace inkwarden
