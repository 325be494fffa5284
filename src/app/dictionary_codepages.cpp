// Per-dictionary code pages kept in the settings.
#include "app/dictionary_codepages.h"

#include <sys/stat.h>

#include "text/codepage_detect.h"

namespace tavik {

namespace {

constexpr char kChoiceKey[] = "Choice";
constexpr char kDetectedKey[] = "Detected";
constexpr char kSizeKey[] = "Size";
constexpr char kModifiedKey[] = "Modified";

std::filesystem::path Key(const std::filesystem::path& dictionary) {
    return dictionary.lexically_normal();
}

std::string ReadString(const wxConfigBase& settings, const wxString& group, const char* key) {
    wxString value;
    settings.Read(group + "/" + key, &value);
    return std::string(value.utf8_str());
}

}  // namespace

wxString DictionaryCodePageGroup(const std::filesystem::path& dictionary) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (char c : Key(dictionary).string()) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || byte == '.' || byte == '_' || byte == '-') {
            escaped.push_back(c);
        } else {
            escaped += {'%', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return "/DictionaryCodePages/" + wxString::FromAscii(escaped.c_str());
}

std::optional<DictionaryCodePages::FileStamp> DictionaryCodePages::StampOf(
    const std::filesystem::path& dictionary) {
    struct stat info;
    if (::stat(dictionary.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return FileStamp{std::to_string(info.st_size), std::to_string(info.st_mtim.tv_sec) + "." +
                                                       std::to_string(info.st_mtim.tv_nsec)};
}

std::string DictionaryCodePages::Choice(const std::filesystem::path& dictionary) const {
    const std::string choice =
        ReadString(m_settings, DictionaryCodePageGroup(dictionary), kChoiceKey);
    return choice.empty() ? kAutomaticCodePage : choice;
}

bool DictionaryCodePages::SetChoice(const std::filesystem::path& dictionary,
                                    std::string_view choice) {
    std::string stored = kAutomaticCodePage;
    if (!choice.empty() && choice != kAutomaticCodePage) {
        const auto codePage = CodePage::Named(choice);
        if (!codePage) return false;
        stored = codePage->Name();
    }
    m_settings.Write(DictionaryCodePageGroup(dictionary) + "/" + kChoiceKey,
                     wxString::FromUTF8(stored));
    m_settings.Flush();
    m_last.reset();
    return true;
}

const CodePage& DictionaryCodePages::For(const std::filesystem::path& dictionary) {
    const std::optional<FileStamp> stamp = StampOf(dictionary);
    const std::string choice = Choice(dictionary);
    if (m_last && m_last->dictionary == Key(dictionary) && m_last->stamp == stamp &&
        m_last->choice == choice)
        return m_last->codePage;

    std::optional<CodePage> codePage;
    if (choice != kAutomaticCodePage) codePage = CodePage::Named(choice);
    // A name edited into the settings that no code page answers to: the
    // file decides, as with no choice at all.
    if (!codePage) codePage = stamp ? Automatic(dictionary, *stamp) : m_fallback;
    m_last = Resolved{Key(dictionary), stamp, choice, std::move(*codePage)};
    return m_last->codePage;
}

CodePage DictionaryCodePages::Automatic(const std::filesystem::path& dictionary,
                                        const FileStamp& stamp) {
    const wxString group = DictionaryCodePageGroup(dictionary);
    const FileStamp remembered{ReadString(m_settings, group, kSizeKey),
                               ReadString(m_settings, group, kModifiedKey)};
    std::optional<EncodingFinding> finding;
    if (remembered == stamp)
        finding = EncodingFindingNamed(ReadString(m_settings, group, kDetectedKey));
    if (!finding) {
        finding = DetectFileEncoding(dictionary);
        m_settings.Write(group + "/" + kDetectedKey,
                         wxString::FromUTF8(std::string(EncodingFindingName(*finding))));
        m_settings.Write(group + "/" + kSizeKey, wxString::FromUTF8(stamp.size));
        m_settings.Write(group + "/" + kModifiedKey, wxString::FromUTF8(stamp.modified));
        m_settings.Flush();
    }
    return CodePageForFinding(*finding, m_fallback);
}

}  // namespace tavik
