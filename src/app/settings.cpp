// Settings in a wxConfig under the vendor's and the application's name.
#include "app/settings.h"

#include <wx/fileconf.h>

#include <cstdlib>

#include "app/wx_text.h"

namespace tavik {

std::filesystem::path SettingsFilePath(const wxString& appName) {
    if (const char* file = std::getenv(kSettingsFileVariable); file && *file) return file;
    std::filesystem::path folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && *xdg == '/')
        folder = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::filesystem::path(home) / ".config";
    else
        folder = std::filesystem::temp_directory_path();
    const std::filesystem::path name = PathFromWx(appName);
    return folder / name / name.string().append(".conf");
}

std::unique_ptr<wxConfigBase> OpenSettings(const wxString& appName) {
    const std::filesystem::path file = SettingsFilePath(appName);
    std::error_code ignored;  // an unwritable folder only loses the settings
    std::filesystem::create_directories(file.parent_path(), ignored);
    return std::make_unique<wxFileConfig>(appName, kVendorName, PathToWx(file), wxString(),
                                          wxCONFIG_USE_LOCAL_FILE);
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
