// The window pass: neighbour list, the exact and nearest entry groups.
#include "dict/gather.h"

#include "dict/dictionary_line.h"
#include "dict/entry_page.h"
#include "text/compare.h"
#include "text/file.h"

namespace tavik {

namespace {

// An entry collected line by line: its lines share one headword.
class EntryGroup {
public:
    EntryGroup(const Text& wanted, std::u16string_view separator)
        : m_wanted(wanted), m_separator(separator) {}

    bool Started() const { return m_state != State::kNotStarted; }
    const Text& Headword() const { return m_headword; }
    const Text& Content() const { return m_content; }

    // Takes one line; returns true when this line closed the group.
    bool Take(const Text& headword, const Text& content, const Text& previousHeadword) {
        switch (m_state) {
            case State::kNotStarted:
                if (EqualOrder(headword, m_wanted)) {
                    m_state = State::kCollecting;
                    m_headword = headword;
                    m_content = content;
                }
                return false;
            case State::kCollecting:
                if (EqualOrder(headword, previousHeadword)) {
                    m_content.append(m_separator);
                    m_content.append(content);
                    return false;
                }
                m_state = State::kClosed;
                return true;
            case State::kClosed:
                return false;
        }
        return false;
    }

private:
    enum class State { kNotStarted, kCollecting, kClosed };
    State m_state = State::kNotStarted;
    const Text& m_wanted;
    std::u16string_view m_separator;
    Text m_headword;
    Text m_content;
};

}  // namespace

GatheredEntry GatherEntries(const LookupResult& result, const std::filesystem::path& dictionary,
                   const CodePage& codePage, const std::filesystem::path& home,
                   EntryScreen& screen) {
    auto file = OpenRegularFileForReading(dictionary);
    if (!file) return {};
    // The first line alone needs a small read; the window, one large one.
    LineReader reader(*file, kDictionaryLineLimit, kDictionaryLineLimit + 2);

    std::string_view line;
    reader.Seek(0);
    reader.ReadLine(line);
    const int64_t firstLineEnd = reader.Tell();
    reader.SetReadSize(LineReader::kCapacity);

    int64_t windowStart = 0;
    if (result.nOffset < firstLineEnd) {
        reader.Seek(0);
    } else {
        reader.Seek(result.nOffset);
        reader.ReadLine(line);  // the rest of the line the offset falls in
        windowStart = result.nOffset;
    }
    const int64_t windowEnd = windowStart + kGatherWindow;

    screen.neighbours.Reset();
    Text previousHeadword;
    EntryGroup exact(result.strWord, kExactSeparator);
    EntryGroup nearest(result.strHeadword, kNearestSeparator);
    bool pageComposed = false;

    while (reader.ReadLine(line)) {
        const DictionaryLine parts = SplitDictionaryLine(line);
        const Text headword = codePage.Decode(parts.headword);
        const Text content = codePage.Decode(parts.content);

        if (!headword.empty() && !EqualOrder(headword, previousHeadword))
            screen.neighbours.Add(headword);
        if (exact.Take(headword, content, previousHeadword) && !pageComposed) {
            ShowEntryPage(home, exact.Headword(), exact.Content(), screen.page);
            pageComposed = true;
        }
        nearest.Take(headword, content, previousHeadword);
        previousHeadword = headword;
        if (reader.Tell() >= windowEnd) break;
    }

    if (!pageComposed) ShowEntryPage(home, exact.Headword(), exact.Content(), screen.page);

    GatheredEntry shown;
    const Text* select = nullptr;
    if (exact.Started()) {
        select = &result.strWord;
        shown = {true, exact.Headword()};
    } else if (nearest.Started()) {
        ShowEntryPage(home, nearest.Headword(), nearest.Content(), screen.page);
        select = &result.strHeadword;
        shown = {false, nearest.Headword()};
    } else {
        screen.messages.ShowMessage(Text(kSearchErrorMessage));
    }
    if (select) {
        const int index = screen.neighbours.FindPrefix(*select);
        if (index >= 0) screen.neighbours.Select(index);
    }
    return shown;
}

}  // namespace tavik
