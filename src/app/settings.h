// The settings Tavik keeps between runs: the current dictionary and the code
// page of the dictionaries and word lists.
#pragma once

#include <wx/confbase.h>

#include <filesystem>
#include <memory>

#include "config/home_folder.h"

namespace tavik {

inline constexpr char kVendorName[] = "Orvane Inc";

inline constexpr char kDictionaryPathKey[] = "/DicInfo/CurDicPath";
inline constexpr char kCodePageKey[] = "/DicInfo/CodePage";
inline constexpr char kDefaultCodePage[] = "949";

// The settings in `file` (see SettingsFilePath), its folder made when
// missing. Values are read and written as they stand: a stored "$HOME" is
// not expanded. A file that is a link is written through the link.
std::unique_ptr<wxConfigBase> OpenSettings(const std::filesystem::path& file);

// Data/Tavik.txt of the home, else of the installed data, else the home's.
std::filesystem::path DefaultDictionaryPath(const HomePlaces& places);

// The stored dictionary path, or the default one; the result is written
// back, so the value exists from the first start on. A stored path is used
// whether or not its file still exists.
std::filesystem::path RestoreDictionaryPath(wxConfigBase& settings, const HomePlaces& places);
void StoreDictionaryPath(wxConfigBase& settings, const std::filesystem::path& path);

// The stored code page name, or "949"; written back like the path. It reads
// the word lists, and the dictionaries whose own bytes do not show UTF-8.
wxString RestoreCodePage(wxConfigBase& settings);

}  // namespace tavik
