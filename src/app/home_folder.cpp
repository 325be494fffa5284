// Choosing and preparing the home folder.
#include "app/home_folder.h"

#include <cstdlib>
#include <system_error>

namespace tavik {

namespace {

std::optional<std::filesystem::path> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::filesystem::path(value);
}

bool IsFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

HomeChoice ChooseHomeFolder(const HomeInputs& inputs) {
    if (inputs.commandLine && !inputs.commandLine->empty()) return {*inputs.commandLine, false};
    if (inputs.tavikHome && !inputs.tavikHome->empty()) return {*inputs.tavikHome, false};
    if (!inputs.executableFolder.empty() && IsFolder(inputs.executableFolder / "Skin"))
        return {inputs.executableFolder, false};

    std::filesystem::path dataHome;
    if (inputs.xdgDataHome && inputs.xdgDataHome->is_absolute())
        dataHome = *inputs.xdgDataHome;
    else if (inputs.userHome && !inputs.userHome->empty())
        dataHome = *inputs.userHome / ".local" / "share";
    else
        dataHome = std::filesystem::temp_directory_path();
    return {dataHome / "tavik", true};
}

HomeInputs HomeInputsFromEnvironment(std::filesystem::path executableFolder,
                                     std::optional<std::filesystem::path> commandLine) {
    HomeInputs inputs;
    inputs.commandLine = std::move(commandLine);
    inputs.tavikHome = Variable("TAVIK_HOME");
    inputs.executableFolder = std::move(executableFolder);
    inputs.xdgDataHome = Variable("XDG_DATA_HOME");
    inputs.userHome = Variable("HOME");
    return inputs;
}

std::filesystem::path InstalledDataFolder(const std::filesystem::path& executableFolder) {
    return (executableFolder / ".." / "share" / "tavik").lexically_normal();
}

bool PrepareUserHome(const std::filesystem::path& home, const std::filesystem::path& installed,
                     std::string* error) {
    std::error_code failure;
    std::filesystem::create_directories(home, failure);
    if (failure || !IsFolder(home)) {
        if (error) *error = home.string() + ": " + (failure ? failure.message() : "not a folder");
        return false;
    }
    for (const char* part : {"Data", "Skin"}) {
        const std::filesystem::path source = installed / part;
        if (!IsFolder(source)) continue;
        std::error_code copyFailure;
        std::filesystem::copy(
            source, home / part,
            std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing,
            copyFailure);
        // A missing piece of the data is not fatal: the window opens and the
        // lookups find nothing, as with a removed dictionary.
    }
    return true;
}

}  // namespace tavik
