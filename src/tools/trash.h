// Moving a file to the desktop's trash, the way file managers do, so that a
// removed dictionary can be restored from there: the file goes to the
// trash's files/ folder and a NAME.trashinfo in info/ says where it came
// from and when. Never a plain delete: a file that cannot be trashed stays.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace tavik {

// Whose trash, and where the home trash is.
struct TrashPlaces {
    std::filesystem::path homeTrash;  // $XDG_DATA_HOME/Trash
    uid_t uid = 0;
};

// $XDG_DATA_HOME/Trash (a relative XDG_DATA_HOME is ignored), else
// $HOME/.local/share/Trash, for the user running the program.
TrashPlaces TrashPlacesFromEnvironment();

// A trash folder and the folder its entries' recorded paths are relative
// to; an empty base records absolute paths (the home trash).
struct TrashFolder {
    std::filesystem::path folder;
    std::filesystem::path base;
};

// The trash of the file system whose top folder is `topdir`: a shared
// `topdir/.Trash` (a real folder with the sticky bit) holding one folder per
// user, else `topdir/.Trash-UID`. Made when missing; a folder that is a
// link or belongs to another user is never used. None when neither can be
// used.
std::optional<TrashFolder> TopdirTrash(const std::filesystem::path& topdir, uid_t uid);

enum class TrashFailure {
    kNone,
    kMissing,           // the file is not there (any more)
    kNoTrash,           // its file system has no trash this user can use
    kTrashNotWritable,  // the trash cannot be made or written
    kNotMoved,          // the system refused to move the file
};

struct TrashResult {
    TrashFailure failure = TrashFailure::kNone;
    std::string reason;             // the system's words, when it gave any
    std::filesystem::path trashed;  // where the file is now
    std::filesystem::path info;     // its .trashinfo

    bool Ok() const { return failure == TrashFailure::kNone; }
};

// Moves `file` (a link itself, not what it leads to) into `trash`, under its
// own name or, when that is taken, NAME.2.EXT, NAME.3.EXT and so on.
TrashResult MoveIntoTrash(const std::filesystem::path& file, const TrashFolder& trash,
                          std::chrono::system_clock::time_point when);

// Moves `file` to the trash of its file system: the home trash when it lives
// on the same one, else its top folder's trash.
TrashResult MoveToTrash(
    const std::filesystem::path& file, const TrashPlaces& places,
    std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

// The text of a .trashinfo: the recorded path with every byte other than
// letters, digits, "-._~/" written as %XX, and the local time of deletion.
std::string TrashInfoText(const std::filesystem::path& recordedPath,
                          std::chrono::system_clock::time_point when);

}  // namespace tavik
