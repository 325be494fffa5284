// The settings Tavik keeps between runs: the current dictionary and the code
// page of the dictionaries and word lists.
#pragma once

#include <wx/confbase.h>

#include <filesystem>
#include <memory>

namespace tavik {

inline constexpr char kVendorName[] = "Orvane Inc";
// When set, the settings live in this file instead of the user's own
// (tests and portable copies use it).
inline constexpr char kSettingsFileVariable[] = "TAVIK_SETTINGS";

inline constexpr char kDictionaryPathKey[] = "/DicInfo/CurDicPath";
inline constexpr char kCodePageKey[] = "/DicInfo/CodePage";
inline constexpr char kDefaultCodePage[] = "949";

// $TAVIK_SETTINGS, else $XDG_CONFIG_HOME/<app>/<app>.conf (~/.config/...).
std::filesystem::path SettingsFilePath(const wxString& appName);
std::unique_ptr<wxConfigBase> OpenSettings(const wxString& appName);

// <home>/Data/Tavik.txt.
std::filesystem::path DefaultDictionaryPath(const std::filesystem::path& home);

// The stored dictionary path, or the default one; the result is written
// back, so the value exists from the first start on. A stored path is used
// whether or not its file still exists.
std::filesystem::path RestoreDictionaryPath(wxConfigBase& settings,
                                            const std::filesystem::path& home);
void StoreDictionaryPath(wxConfigBase& settings, const std::filesystem::path& path);

// The stored code page name, or "949"; written back like the path. It reads
// the word lists, and the dictionaries whose own bytes do not show UTF-8.
wxString RestoreCodePage(wxConfigBase& settings);

}  // namespace tavik
