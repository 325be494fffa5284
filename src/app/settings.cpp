// Settings in a wxFileConfig under the vendor's and the application's name.
#include "app/settings.h"

#include <wx/app.h>
#include <wx/fileconf.h>

#include "app/wx_text.h"

namespace tavik {

std::unique_ptr<wxConfigBase> OpenSettings(const std::filesystem::path& file) {
    const std::filesystem::path target = SettingsWriteTarget(file);
    std::error_code ignored;  // an unwritable folder only loses the settings
    std::filesystem::create_directories(target.parent_path(), ignored);
    auto settings = std::make_unique<wxFileConfig>("Tavik", kVendorName, PathToWx(target),
                                                   wxString(), wxCONFIG_USE_LOCAL_FILE);
    // Paths may hold '$': a dictionary named "$HOME.txt" must stay itself.
    settings->SetExpandEnvVars(false);
    return settings;
}

std::filesystem::path DefaultDictionaryPath(const HomePlaces& places) {
    return LayeredDataFile(places.DataFolders(), "Tavik.txt");
}

std::filesystem::path RestoreDictionaryPath(wxConfigBase& settings, const HomePlaces& places) {
    const wxString stored =
        settings.Read(kDictionaryPathKey, PathToWx(DefaultDictionaryPath(places)));
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
