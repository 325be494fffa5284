// Choosing the home folder and finding the installed data beside it.
#include "config/home_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace tavik {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return fs::path(value);
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

fs::path Absolute(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

// Without the trailing separator that lexically_normal keeps for "dir/".
fs::path Tidy(const fs::path& path) {
    fs::path tidy = Absolute(path);
    if (!tidy.has_filename() && tidy.has_parent_path() && tidy != tidy.root_path())
        tidy = tidy.parent_path();
    return tidy;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error)) return true;
    return Tidy(a) == Tidy(b);
}

void ThrowUnlessFolder(const fs::path& folder, const char* givenBy) {
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (!fs::exists(status))
        throw HomeError(std::string(givenBy) + " folder '" + folder.string() + "' does not exist");
    if (!fs::is_directory(status))
        throw HomeError(std::string(givenBy) + " '" + folder.string() + "' is not a folder");
}

}  // namespace

HomeChoice ChooseHomeFolder(const HomeInputs& inputs) {
    if (inputs.commandLine && !inputs.commandLine->empty())
        return {Tidy(*inputs.commandLine), HomeSource::kCommandLine};
    if (inputs.tavikHome && !inputs.tavikHome->empty())
        return {Tidy(*inputs.tavikHome), HomeSource::kEnvironment};
    if (!inputs.executableFolder.empty() && IsFolder(inputs.executableFolder / "Skin"))
        return {Tidy(inputs.executableFolder), HomeSource::kPortable};

    fs::path dataHome;
    if (inputs.xdgDataHome && inputs.xdgDataHome->is_absolute())
        dataHome = *inputs.xdgDataHome;
    else if (inputs.userHome && !inputs.userHome->empty())
        dataHome = *inputs.userHome / ".local" / "share";
    else
        dataHome = fs::temp_directory_path();
    return {Tidy(dataHome / "tavik"), HomeSource::kUser};
}

HomeInputs HomeInputsFromEnvironment(fs::path executableFolder,
                                     std::optional<fs::path> commandLine) {
    HomeInputs inputs;
    inputs.commandLine = std::move(commandLine);
    inputs.tavikHome = Variable("TAVIK_HOME");
    inputs.executableFolder = std::move(executableFolder);
    inputs.xdgDataHome = Variable("XDG_DATA_HOME");
    inputs.userHome = Variable("HOME");
    if (const char* dirs = std::getenv("XDG_DATA_DIRS"); dirs && *dirs) inputs.xdgDataDirs = dirs;
    inputs.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    inputs.settingsFile = Variable("TAVIK_SETTINGS");
    return inputs;
}

std::vector<fs::path> InstalledDataFolders(const HomeInputs& inputs, const fs::path& home) {
    std::vector<fs::path> candidates;
    if (!inputs.executableFolder.empty())
        candidates.push_back(inputs.executableFolder / ".." / "share" / "tavik");
    const std::string dirs = inputs.xdgDataDirs.value_or("/usr/local/share:/usr/share");
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const fs::path dir = dirs.substr(start, end - start);
        if (dir.is_absolute()) candidates.push_back(dir / "tavik");  // relative ones are ignored
        start = end + 1;
    }
    std::vector<fs::path> folders;
    for (const fs::path& candidate : candidates) {
        if (!IsFolder(candidate) || SameFolder(candidate, home)) continue;
        const bool seen = std::any_of(folders.begin(), folders.end(),
                                      [&](const fs::path& f) { return SameFolder(f, candidate); });
        if (!seen) folders.push_back(Tidy(candidate));
    }
    return folders;
}

std::vector<fs::path> HomePlaces::DataFolders() const {
    std::vector<fs::path> folders{home.folder / "Data"};
    for (const fs::path& folder : installed) folders.push_back(folder / "Data");
    return folders;
}

HomePlaces FindHomePlaces(const HomeInputs& inputs) {
    HomePlaces places;
    places.home = ChooseHomeFolder(inputs);
    if (places.home.source == HomeSource::kCommandLine)
        ThrowUnlessFolder(places.Folder(), "--home");
    if (places.home.source == HomeSource::kEnvironment)
        ThrowUnlessFolder(places.Folder(), "TAVIK_HOME");
    places.installed = InstalledDataFolders(inputs, places.Folder());
    places.skinHome = places.Folder();
    if (!IsFolder(places.Folder() / "Skin")) {
        for (const fs::path& folder : places.installed) {
            if (IsFolder(folder / "Skin")) {
                places.skinHome = folder;
                break;
            }
        }
    }
    places.settingsFile = SettingsFilePath(inputs, places.home);
    return places;
}

fs::path SettingsFilePath(const HomeInputs& inputs, const HomeChoice& home) {
    if (inputs.settingsFile && !inputs.settingsFile->empty()) return *inputs.settingsFile;
    if (!home.PerUser()) return home.folder / "Tavik.conf";
    fs::path folder;
    if (inputs.xdgConfigHome && inputs.xdgConfigHome->is_absolute())
        folder = *inputs.xdgConfigHome;
    else if (inputs.userHome && !inputs.userHome->empty())
        folder = *inputs.userHome / ".config";
    else
        folder = fs::temp_directory_path();
    return folder / "Tavik" / "Tavik.conf";
}

fs::path SettingsWriteTarget(const fs::path& settingsFile) {
    fs::path file = settingsFile;
    // A bounded walk: a loop of links ends as the link itself.
    for (int hop = 0; hop < 16; ++hop) {
        struct stat info {};
        if (::lstat(file.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return file;
        if (info.st_uid != ::geteuid() && info.st_uid != 0) return file;
        std::error_code error;
        const fs::path target = fs::read_symlink(file, error);
        if (error) return file;
        file = target.is_absolute() ? target : (file.parent_path() / target).lexically_normal();
    }
    return settingsFile;
}

std::string HomeKey(const fs::path& home) {
    // FNV-1a over the absolute path's bytes: short, stable between runs.
    uint64_t hash = 0xcbf29ce484222325ULL;
    const fs::path absolute = Tidy(home);
    for (const unsigned char c : absolute.native()) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

fs::path LayeredDataFile(const std::vector<fs::path>& dataFolders, const fs::path& name) {
    for (const fs::path& folder : dataFolders) {
        std::error_code error;
        if (fs::is_regular_file(folder / name, error)) return folder / name;
    }
    return dataFolders.empty() ? name : dataFolders.front() / name;
}

}  // namespace tavik
