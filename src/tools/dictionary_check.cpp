// One pass over the file, comparing each line with the one before it.
#include "tools/dictionary_check.h"

#include <unistd.h>

#include <algorithm>

#include "dict/dictionary_line.h"
#include "text/character_cut.h"
#include "text/compare.h"
#include "tools/tool_error.h"
#include "text/legacy_case.h"

namespace tavik {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::string Quoted(TextView text) {
    std::string out = "'";
    for (char16_t c : text) {
        if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            out += "\\r";
        } else {
            out += ToUtf8(TextView(&c, 1));
        }
    }
    return out + "'";
}

// Decoding never fails, so a sequence that does not decode shows as U+FFFD;
// the code page's own encoding of U+FFFD, where it has one, is not a fault.
class DecodeCheck {
public:
    explicit DecodeCheck(const CodePage& codePage)
        : m_replacementBytes(codePage.Encode(TextView(&kReplacement, 1)).value_or("")) {}

    bool Clean(std::string_view bytes, const Text& decoded) const {
        const auto replacements = std::count(decoded.begin(), decoded.end(), kReplacement);
        if (replacements == 0) return true;
        if (m_replacementBytes.empty()) return false;
        int64_t genuine = 0;
        for (size_t at = bytes.find(m_replacementBytes); at != std::string_view::npos;
             at = bytes.find(m_replacementBytes, at + 1))
            ++genuine;
        return genuine >= replacements;
    }

private:
    std::string m_replacementBytes;
};

// Older versions lower-cased fewer scripts; a pair in order under their
// folding means the file was sorted by one of them, not that it is broken.
std::string OlderFoldingNote(TextView previous, TextView headword) {
    if (!InLegacyOrder(previous, headword)) return "";
    return "; the file was sorted by an older Tavik, which did not lower-case these letters: "
           "run tavik-dict sort on it";
}

}  // namespace

int64_t CheckSummary::Total() const {
    int64_t total = 0;
    for (int64_t n : counts) total += n;
    return total;
}

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::kOutOfOrder:
            return "out of order";
        case Fault::kTooLong:
            return "too long";
        case Fault::kUndecodable:
            return "not in the code page";
        case Fault::kNoSlash:
            return "without \"/\"";
        case Fault::kEmptyHeadword:
            return "empty headword";
        case Fault::kSpaceAroundHeadword:
            return "white space around headword";
        case Fault::kNulByte:
            return "NUL byte";
        case Fault::kNoFinalLineFeed:
            return "no final line feed";
        case Fault::kCount:
            break;
    }
    return "";
}

CheckSummary CheckDictionary(const std::filesystem::path& path, const CodePage& codePage,
                             const std::function<void(const Problem&)>& report) {
    std::string error;
    const auto file = OpenRegularFileForReading(path, &error);
    if (!file) throw ToolError(path.string() + ": " + error);
    LineReader reader = DictionaryLineReader(*file, LineReader::kCapacity);
    const DecodeCheck decodeCheck(codePage);
    CheckSummary summary;
    auto problem = [&](Fault fault, std::string message) {
        ++summary.counts[size_t(fault)];
        report(Problem{summary.lines, fault, std::move(message)});
    };

    Text previous;
    bool havePrevious = false;
    std::string_view seen;
    bool lastHadFeed = true;
    while (ReadDictionaryLine(reader, codePage, seen)) {
        ++summary.lines;
        const int64_t length = reader.LineLength();
        std::string_view line = reader.LineBytes();
        lastHadFeed = line.ends_with('\n');
        if (reader.LineCut()) {
            char last = 0;
            lastHadFeed = ::pread(file->Get(), &last, 1, reader.Tell() - 1) == 1 && last == '\n';
            line = line.substr(0, CompleteCharactersLength(line, codePage));
            problem(Fault::kTooLong, std::to_string(length) + " bytes, more than " +
                                         std::to_string(kDictionaryLineLimit) +
                                         " with the line feed; the rest is not read");
        } else if (size_t(length) > kShortLineLimit) {
            if (summary.longForOldReaders++ == 0) summary.firstLongForOldReaders = summary.lines;
        }
        if (line.find('\0') != std::string_view::npos)
            problem(Fault::kNulByte, "a NUL byte; the search sees the line only up to it");

        const Text decoded = codePage.Decode(line);
        if (!decodeCheck.Clean(line, decoded))
            problem(Fault::kUndecodable, "bytes that are not " + codePage.Name());

        const DictionaryLine parts = SplitDictionaryLine(seen);
        const Text headword = codePage.Decode(parts.headword);
        const size_t firstWord = seen.find_first_not_of('/');
        const bool hasSlash = firstWord != std::string_view::npos &&
                              seen.find('/', firstWord) != std::string_view::npos;
        if (!hasSlash) {
            problem(Fault::kNoSlash,
                    Trim(headword).empty()
                        ? std::string("an empty line; the search takes it as a headword")
                        : "no \"/\" after the headword; the whole line " + Quoted(headword) +
                              " is taken as the headword");
        } else if (Trim(headword).empty()) {
            problem(Fault::kEmptyHeadword, "the headword is empty");
        } else if (Trim(headword) != headword) {
            problem(Fault::kSpaceAroundHeadword,
                    "headword " + Quoted(headword) +
                        " has white space at its start or end; a search trims the word, so it "
                        "is never found");
        }

        if (havePrevious && CompareOrder(previous, headword) > 0) {
            problem(Fault::kOutOfOrder, "headword " + Quoted(headword) + " sorts before " +
                                            Quoted(previous) + " of line " +
                                            std::to_string(summary.lines - 1) +
                                            OlderFoldingNote(previous, headword));
        }
        previous = headword;
        havePrevious = true;
    }
    if (!lastHadFeed) problem(Fault::kNoFinalLineFeed, "the last line has no line feed");
    return summary;
}

}  // namespace tavik
