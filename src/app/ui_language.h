// The language of the window's texts: Korean, the texts' own language, or
// English from the catalogue that ships with Tavik.
#pragma once

#include <wx/confbase.h>
#include <wx/string.h>

#include <filesystem>
#include <string_view>

namespace tavik {

enum class UiLanguage { kKorean, kEnglish };

inline constexpr char kLanguageKey[] = "/Window/Language";
inline constexpr char kCatalogName[] = "tavik";

// The stored choice ("ko", "en") wins; without one, the desktop's locale
// name (LC_ALL, else LC_MESSAGES, else LANG): Korean when it is Korean or
// names no language ("", "C", "POSIX"), English for any other language.
UiLanguage ChooseUiLanguage(std::string_view stored, std::string_view localeName);

// The locale name the C library would use for messages.
std::string_view MessagesLocaleName();

const char* LanguageCode(UiLanguage language);

// Sets up the translations for the chosen language, with catalogues looked
// for beside the program (the build tree) and in the install prefix.
UiLanguage InstallTranslations(wxConfigBase& settings, const std::filesystem::path& programFolder);

// Stores `language` for the next start.
void StoreUiLanguage(wxConfigBase& settings, UiLanguage language);
UiLanguage CurrentUiLanguage();

}  // namespace tavik
