// The home folder both programs share: where the word lists, the user's own
// Data and Skin and (for most homes) the settings live, and where an
// installed Tavik's data is read in place.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavik {

// Everything the choice of the home folder depends on; empty optionals
// stand for options and variables that are not set (or set empty).
struct HomeInputs {
    std::optional<std::filesystem::path> commandLine;  // --home DIR
    std::optional<std::filesystem::path> tavikHome;    // TAVIK_HOME
    std::filesystem::path executableFolder;
    std::optional<std::filesystem::path> xdgDataHome;    // XDG_DATA_HOME
    std::optional<std::filesystem::path> userHome;       // HOME
    std::optional<std::string> xdgDataDirs;              // XDG_DATA_DIRS
    std::optional<std::filesystem::path> xdgConfigHome;  // XDG_CONFIG_HOME
    std::optional<std::filesystem::path> settingsFile;   // TAVIK_SETTINGS
};

enum class HomeSource { kCommandLine, kEnvironment, kPortable, kUser };

struct HomeChoice {
    std::filesystem::path folder;  // always absolute
    HomeSource source = HomeSource::kUser;
    // The per-user folder under $XDG_DATA_HOME, made when missing.
    bool PerUser() const { return source == HomeSource::kUser; }
};

// A home named on the command line or by TAVIK_HOME that is not a folder.
class HomeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// --home, else TAVIK_HOME, else the executable's folder when it holds a Skin
// folder (a portable copy or the build tree), else $XDG_DATA_HOME/tavik
// (~/.local/share/tavik by default; a relative XDG_DATA_HOME is ignored).
// A relative --home or TAVIK_HOME is made absolute against the current
// folder, so stored paths stay right when Tavik starts elsewhere.
HomeChoice ChooseHomeFolder(const HomeInputs& inputs);

// Reads TAVIK_HOME, XDG_DATA_HOME, HOME, XDG_DATA_DIRS, XDG_CONFIG_HOME and
// TAVIK_SETTINGS from the environment.
HomeInputs HomeInputsFromEnvironment(std::filesystem::path executableFolder,
                                     std::optional<std::filesystem::path> commandLine);

// Where an installed Tavik's data may be, most specific first: the program's
// own <exe>/../share/tavik, then <dir>/tavik for each folder of
// $XDG_DATA_DIRS (/usr/local/share:/usr/share when unset). Only existing
// folders are listed, each once, and never the home itself.
std::vector<std::filesystem::path> InstalledDataFolders(const HomeInputs& inputs,
                                                        const std::filesystem::path& home);

// The home and the installed data read in place beside it.
struct HomePlaces {
    HomeChoice home;
    std::vector<std::filesystem::path> installed;  // most specific first
    // The folder whose Skin is used: the home when it has a Skin of its
    // own, else the first installed folder that has one, else the home.
    std::filesystem::path skinHome;
    std::filesystem::path settingsFile;

    const std::filesystem::path& Folder() const { return home.folder; }
    // The folders dictionaries are listed from, the user's own Data first:
    // on a name clash the user's file wins.
    std::vector<std::filesystem::path> DataFolders() const;
};

// Chooses the home and finds everything beside it. Throws HomeError when a
// home given by --home or TAVIK_HOME does not exist or is not a folder.
// Nothing is created.
HomePlaces FindHomePlaces(const HomeInputs& inputs);

// $TAVIK_SETTINGS, else <home>/Tavik.conf for a home given by --home,
// TAVIK_HOME or a portable copy, else $XDG_CONFIG_HOME/Tavik/Tavik.conf
// (~/.config/Tavik/Tavik.conf).
std::filesystem::path SettingsFilePath(const HomeInputs& inputs, const HomeChoice& home);

// The file to read and write for `settingsFile`: a symbolic link (kept in a
// dotfiles repository, say) is written through, so it stays a link. A link
// that another user owns is not followed: writing then replaces the link
// itself, never a file the other user chose.
std::filesystem::path SettingsWriteTarget(const std::filesystem::path& settingsFile);

// A short name that differs between homes: the hand-over between two
// starts only happens within one home.
std::string HomeKey(const std::filesystem::path& home);

// The dictionary a home starts with: `name` in the first data folder that
// holds it, else in the first data folder.
std::filesystem::path LayeredDataFile(const std::vector<std::filesystem::path>& dataFolders,
                                      const std::filesystem::path& name);

}  // namespace tavik
