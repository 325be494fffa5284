// Choosing and installing the language of the window's texts.
#include "app/ui_language.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/translation.h>

#include <cstdlib>

#include "app/wx_text.h"
#include "dict/notices.h"

namespace tavik {

namespace {

UiLanguage g_current = UiLanguage::kKorean;

// What the catalogue makes of a Korean text of the search's notices.
Text CatalogueText(TextView korean) { return FromWx(wxGetTranslation(ToWx(Text(korean)))); }

bool NamesNoLanguage(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

}  // namespace

UiLanguage ChooseUiLanguage(std::string_view stored, std::string_view localeName) {
    if (stored == "ko") return UiLanguage::kKorean;
    if (stored == "en") return UiLanguage::kEnglish;
    if (NamesNoLanguage(localeName) || localeName.starts_with("ko")) return UiLanguage::kKorean;
    return UiLanguage::kEnglish;
}

std::string_view MessagesLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value && *value) return value;
    return {};
}

const char* LanguageCode(UiLanguage language) {
    return language == UiLanguage::kEnglish ? "en" : "ko";
}

UiLanguage InstallTranslations(wxConfigBase& settings, const std::filesystem::path& programFolder) {
    const wxString stored = settings.Read(kLanguageKey, wxString());
    g_current = ChooseUiLanguage(std::string(stored.utf8_str()), MessagesLocaleName());

    // The build tree keeps its catalogues in locale/ beside the program; an
    // installed program finds them in <prefix>/share/locale.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(PathToWx(programFolder / "locale"));
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
        PathToWx(programFolder.parent_path() / "share" / "locale"));

    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLanguage(LanguageCode(g_current));
    // The texts are written in Korean: Korean needs no catalogue.
    translations->AddCatalog(kCatalogName, wxLANGUAGE_KOREAN);
    translations->AddStdCatalog();
    SetNoticeTranslation(&CatalogueText);
    return g_current;
}

void StoreUiLanguage(wxConfigBase& settings, UiLanguage language) {
    settings.Write(kLanguageKey, LanguageCode(language));
    settings.Flush();
}

UiLanguage CurrentUiLanguage() { return g_current; }

}  // namespace tavik
