// The code page of each dictionary file: the user's choice in the dictionary
// dialog, or what the file's own bytes say, found when the file is first
// used and remembered in the settings until the file changes.
#pragma once

#include <wx/confbase.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "text/codepage.h"

namespace tavik {

// The stored choice that lets the file's bytes decide.
inline constexpr char kAutomaticCodePage[] = "auto";

// The settings group of one dictionary file: "/DictionaryCodePages/" and the
// file's path with every byte other than letters, digits, '.', '_' and '-'
// written as %XX, so that any path makes one group of its own.
wxString DictionaryCodePageGroup(const std::filesystem::path& dictionary);

class DictionaryCodePages {
public:
    // `fallback` reads the files whose bytes say nothing (ASCII only) and
    // those that are not UTF-8; it is the code page of earlier versions'
    // single setting.
    DictionaryCodePages(wxConfigBase& settings, CodePage fallback)
        : m_settings(settings), m_fallback(std::move(fallback)) {}

    // The code page `dictionary` is read in. Detects and remembers the file's
    // code page when it has none remembered or has changed since.
    const CodePage& For(const std::filesystem::path& dictionary);

    // The stored choice for `dictionary`: kAutomaticCodePage or a code page's
    // name.
    std::string Choice(const std::filesystem::path& dictionary) const;
    // Stores a choice: kAutomaticCodePage (or empty) or a name that
    // CodePage::Named accepts, stored as its canonical name. False, and
    // nothing stored, for a name no code page answers to.
    bool SetChoice(const std::filesystem::path& dictionary, std::string_view choice);

private:
    struct FileStamp {
        std::string size;
        std::string modified;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> StampOf(const std::filesystem::path& dictionary);
    CodePage Automatic(const std::filesystem::path& dictionary, const FileStamp& stamp);

    struct Resolved {
        std::filesystem::path dictionary;
        std::optional<FileStamp> stamp;
        std::string choice;
        CodePage codePage;
    };

    wxConfigBase& m_settings;
    CodePage m_fallback;
    // The last answer: a search asks for the same file again and again.
    std::optional<Resolved> m_last;
};

}  // namespace tavik
