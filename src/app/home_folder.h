// The home folder: where Tavik finds its Data and Skin folders and keeps its
// word lists.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tavik {

// Everything the choice of the home folder depends on; empty optionals
// stand for options and variables that are not set (or set empty).
struct HomeInputs {
    std::optional<std::filesystem::path> commandLine;  // --home DIR
    std::optional<std::filesystem::path> tavikHome;    // TAVIK_HOME
    std::filesystem::path executableFolder;
    std::optional<std::filesystem::path> xdgDataHome;  // XDG_DATA_HOME
    std::optional<std::filesystem::path> userHome;     // HOME
};

struct HomeChoice {
    std::filesystem::path folder;
    // The per-user folder, which is filled from the installed data on first
    // start.
    bool perUser = false;
};

// --home, else TAVIK_HOME, else the executable's folder when it holds a Skin
// folder (a portable copy or the build tree), else $XDG_DATA_HOME/tavik
// (~/.local/share/tavik by default; a relative XDG_DATA_HOME is ignored).
HomeChoice ChooseHomeFolder(const HomeInputs& inputs);

// Reads TAVIK_HOME, XDG_DATA_HOME and HOME from the environment.
HomeInputs HomeInputsFromEnvironment(std::filesystem::path executableFolder,
                                     std::optional<std::filesystem::path> commandLine);

// Where an installed Tavik keeps its data: <exe>/../share/tavik.
std::filesystem::path InstalledDataFolder(const std::filesystem::path& executableFolder);

// Creates `home` when missing and copies into it whatever of `installed`
// (Data, Skin) it lacks; files already there are kept. Returns false with
// the reason in `error` when the folder cannot be made.
bool PrepareUserHome(const std::filesystem::path& home, const std::filesystem::path& installed,
                     std::string* error);

}  // namespace tavik
