// Settings in a wxConfig under the vendor's and the application's name.
#include "app/settings.h"

#include <wx/config.h>
#include <wx/fileconf.h>

#include <cstdlib>

#include "app/wx_text.h"

namespace tavik {

std::unique_ptr<wxConfigBase> OpenSettings(const wxString& appName) {
    const char* file = std::getenv(kSettingsFileVariable);
    if (file && *file)
        return std::make_unique<wxFileConfig>(appName, kVendorName, wxString::FromUTF8(file),
                                              wxString(), wxCONFIG_USE_LOCAL_FILE);
    return std::make_unique<wxConfig>(appName, kVendorName);
}

std::filesystem::path DefaultDictionaryPath(const std::filesystem::path& home) {
    return home / "Data" / "Tavik.txt";
}

std::filesystem::path RestoreDictionaryPath(wxConfigBase& settings,
                                            const std::filesystem::path& home) {
    const wxString stored =
        settings.Read(kDictionaryPathKey, PathToWx(DefaultDictionaryPath(home)));
    const std::filesystem::path path = PathFromWx(stored);
    StoreDictionaryPath(settings, path);
    return path;
}

void StoreDictionaryPath(wxConfigBase& settings, const std::filesystem::path& path) {
    settings.Write(kDictionaryPathKey, PathToWx(path));
    settings.Flush();
}

wxString RestoreCodePage(wxConfigBase& settings) {
    const wxString name = settings.Read(kCodePageKey, kDefaultCodePage);
    settings.Write(kCodePageKey, name);
    settings.Flush();
    return name;
}

}  // namespace tavik
