// The window pass: neighbour list, the exact and nearest entry groups, and
// the widening of the window to an entry that does not fit it.
#include "dict/gather.h"

#include <algorithm>
#include <optional>
#include <vector>

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
        : m_wanted(&wanted), m_separator(separator) {}

    bool Started() const { return m_state != State::kNotStarted; }
    bool Collecting() const { return m_state == State::kCollecting; }
    const Text& Headword() const { return m_headword; }
    // Its parts joined as its page shows them, a cut noted.
    const Text& PageContent() const { return m_content; }
    bool Cut() const { return m_cut; }
    // Where its lines lie in the file, as far as they were read.
    int64_t FirstLineStart() const { return m_firstLineStart; }
    int64_t LastLineEnd() const { return m_lastLineEnd; }
    // Whether its first line was the first line the window read.
    bool StartedAtWindowStart() const { return m_startedAtWindowStart; }

    struct Line {
        const Text& headword;
        std::string_view bytes;  // the whole line, split and decoded only when taken
        int64_t start;
        int64_t end;
        bool first;            // the window's first line
        bool repeatsHeadword;  // its headword is the previous line's
    };

    // Takes one line; returns true when this line closed the group.
    bool Take(const Line& line, const CodePage& codePage) {
        switch (m_state) {
            case State::kNotStarted:
                if (EqualOrder(line.headword, *m_wanted)) {
                    m_state = State::kCollecting;
                    m_headword = line.headword;
                    m_firstLineStart = line.start;
                    m_startedAtWindowStart = line.first;
                    Append(line, codePage, false);
                }
                return false;
            case State::kCollecting:
                if (line.repeatsHeadword) {
                    Append(line, codePage, true);
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
    void Append(const Line& line, const CodePage& codePage, bool separated) {
        m_lastLineEnd = line.end;
        if (m_cut) return;
        const std::string_view content = SplitDictionaryLine(line.bytes).content;
        if (m_bytes + content.size() > kEntryTextLimit) {
            m_cut = true;
            m_content.append(kEntryCutNote);
            return;
        }
        m_bytes += content.size();
        if (separated) m_content.append(m_separator);
        codePage.DecodeAppend(content, m_content);
    }

    enum class State { kNotStarted, kCollecting, kClosed };
    State m_state = State::kNotStarted;
    const Text* m_wanted;
    std::u16string_view m_separator;
    Text m_headword;
    Text m_content;
    size_t m_bytes = 0;
    bool m_cut = false;
    int64_t m_firstLineStart = 0;
    int64_t m_lastLineEnd = 0;
    bool m_startedAtWindowStart = false;
};

// What one reading of a window found, shown on the screen only once the
// window is known to hold the whole entry.
struct WindowPass {
    explicit WindowPass(const LookupResult& result)
        : exact(result.strWord, kExactSeparator),
          nearest(result.strHeadword, kNearestSeparator),
          nearestIsExact(EqualOrder(result.strWord, result.strHeadword)) {}

    const EntryGroup* Shown() const {
        return exact.Started() ? &exact : nearest.Started() ? &nearest : nullptr;
    }

    std::vector<Text> neighbours;
    EntryGroup exact;
    EntryGroup nearest;
    // The lookup found the word itself: the nearest entry would gather the
    // very lines of the exact one, and is shown only when that one is not
    // found. It is not gathered then.
    bool nearestIsExact;
    bool stoppedAtWindowEnd = false;  // else at the end of the file
};

// What a window of short lines reads past its end: the line that reaches
// the end, and a little.
constexpr size_t kWindowTail = 2 * (kShortLineLimit + 2);

// Reads whole lines from `offset` (from the file's start when it lies in the
// first line; else from the line after the one it falls in) until a line ends
// at or past `windowEnd`, or -1 for kGatherWindow past the window's start.
// Once an entry is cut, reading goes on at `entryEnd`: the rest of it would
// add nothing.
WindowPass ReadWindow(const FileHandle& file, const CodePage& codePage, const LookupResult& result,
                      int64_t offset, int64_t windowEnd, int64_t entryEnd, ProbeCache* cache) {
    // The first line alone needs a small read; the window, large ones.
    LineReader reader = DictionaryLineReader(file, kShortLineLimit + 2);
    std::string_view line;
    int64_t firstLineEnd = cache ? cache->FirstLineEnd() : -1;
    if (firstLineEnd < 0) {
        reader.Seek(0);
        ReadDictionaryLine(reader, codePage, line);
        firstLineEnd = reader.Tell();
        if (cache) cache->SetFirstLineEnd(firstLineEnd);
    }
    // A search of a batch reads what a window of short lines takes, and more
    // only when its lines are longer: what is read from the page cache is
    // what such a search costs.
    reader.SetReadSize(cache ? size_t(kGatherWindow) + kWindowTail : LineReader::kCapacity);

    int64_t windowStart = 0;
    if (offset < firstLineEnd) {
        reader.Seek(0);
    } else {
        reader.Seek(offset);
        ReadDictionaryLine(reader, codePage, line);  // the rest of the line the offset falls in
        windowStart = offset;
    }
    // The search backs off half a window, so the line of its hit starts after
    // the window's middle; a long line before it must not end the window
    // first. (Lines of a short line's length always reach past the middle.)
    int64_t reachPast = -1;
    if (windowEnd < 0) {
        windowEnd = windowStart + kGatherWindow;
        reachPast = windowStart + kGatherWindow / 2;
    }

    WindowPass pass(result);
    // Most windows hold a few dozen headwords.
    pass.neighbours.reserve(32);
    // Two buffers taking turns: a line's headword is decoded into the one
    // that held the headword before the previous line's.
    Text headword;
    Text previousHeadword;
    bool first = true;
    while (ReadDictionaryLine(reader, codePage, line)) {
        headword.clear();
        codePage.DecodeAppend(DictionaryHeadword(line), headword);
        const bool repeated = EqualOrder(headword, previousHeadword);
        if (!headword.empty() && !repeated) pass.neighbours.push_back(headword);
        const EntryGroup::Line taken{.headword = headword,
                                     .bytes = line,
                                     .start = reader.LineStart(),
                                     .end = reader.Tell(),
                                     .first = first,
                                     .repeatsHeadword = repeated};
        pass.exact.Take(taken, codePage);
        if (!pass.nearestIsExact) pass.nearest.Take(taken, codePage);
        std::swap(previousHeadword, headword);
        first = false;
        const bool cut = (pass.exact.Cut() && pass.exact.Collecting()) ||
                         (pass.nearest.Cut() && pass.nearest.Collecting());
        if (cut && reader.Tell() < entryEnd) reader.Seek(entryEnd);
        if (reader.Tell() >= windowEnd && reader.LineStart() > reachPast) {
            pass.stoppedAtWindowEnd = true;
            break;
        }
    }
    return pass;
}

// Compares headwords with the group's own, decoding only bytes it has not
// seen match before.
class SameHeadword {
public:
    SameHeadword(const Text& headword, const CodePage& codePage)
        : m_headword(headword), m_codePage(codePage) {}

    bool operator()(std::string_view bytes) {
        if (m_known && bytes == m_knownBytes) return true;
        if (!EqualOrder(m_codePage.Decode(bytes), m_headword)) return false;
        m_knownBytes = bytes;
        m_known = true;
        return true;
    }

private:
    const Text& m_headword;
    const CodePage& m_codePage;
    std::string m_knownBytes;
    bool m_known = false;
};

struct Span {
    int64_t start;
    int64_t end;
};

// Where the group shown lies in the file when some of its lines lie outside
// the window read; nothing when the window holds it whole.
std::optional<Span> OutsideSpan(const FileHandle& file, const CodePage& codePage,
                                const WindowPass& pass, const EntryGroup& group) {
    SameHeadword same(group.Headword(), codePage);
    LineReader reader = DictionaryLineReader(file, LineReader::kCapacity);
    std::string_view line;
    Span span{group.FirstLineStart(), group.LastLineEnd()};
    if (group.StartedAtWindowStart()) {
        BackwardLineFinder backward(file);
        while (span.start > 0) {
            const int64_t start = backward.PreviousLineStart(span.start, line);
            if (start < 0) break;
            if (start == 0 || line.empty()) {
                // Read as the window reads it (a long line, the first line).
                reader.Seek(start);
                if (!ReadDictionaryLine(reader, codePage, line)) break;
            } else {
                line = line.substr(0, line.find('\0'));
            }
            if (!same(DictionaryHeadword(line))) break;
            span.start = start;
        }
    }
    if (group.Collecting() && pass.stoppedAtWindowEnd) {
        reader.Seek(span.end);
        while (ReadDictionaryLine(reader, codePage, line) && same(DictionaryHeadword(line)))
            span.end = reader.Tell();
    }
    if (span.start == group.FirstLineStart() && span.end == group.LastLineEnd())
        return std::nullopt;
    return span;
}

void Show(WindowPass& pass, const LookupResult& result, const std::filesystem::path& home,
          EntryScreen& screen, GatheredEntry& shown) {
    screen.neighbours.Fill(std::move(pass.neighbours));
    const EntryPageStyle style = screen.style ? EntryPageStyle() : ReadEntryPageStyle(home);
    const EntryPageStyle& shownStyle = screen.style ? *screen.style : style;
    ShowEntryPage(shownStyle, pass.exact.Headword(), pass.exact.PageContent(), screen.page);

    const Text* select = nullptr;
    if (pass.exact.Started()) {
        select = &result.strWord;
        shown = {true, pass.exact.Headword(), pass.exact.Cut()};
    } else if (pass.nearest.Started()) {
        ShowEntryPage(shownStyle, pass.nearest.Headword(), pass.nearest.PageContent(), screen.page);
        select = &result.strHeadword;
        shown = {false, pass.nearest.Headword(), pass.nearest.Cut()};
    } else {
        screen.messages.ShowMessage(TranslatedText(kSearchErrorMessage));
    }
    if (select) SelectNeighbour(screen.neighbours, *select);
}

// Reads the window and widens it to the entry shown until it holds it whole.
WindowPass GatherPass(const LookupResult& result, const FileHandle& file, const CodePage& codePage,
                      ProbeCache* cache) {
    WindowPass pass = ReadWindow(file, codePage, result, result.nOffset, -1, -1, cache);
    // A widened window may bring the searched word's own entry in, which may
    // in turn not fit; one more widening settles it.
    for (int widenings = 0; widenings < 2; ++widenings) {
        const EntryGroup* group = pass.Shown();
        if (!group) break;
        const bool exact = group == &pass.exact;
        const auto span = OutsideSpan(file, codePage, pass, *group);
        if (!span) break;
        pass =
            ReadWindow(file, codePage, result, std::max<int64_t>(0, span->start - kWidenedMargin),
                       span->end + kWidenedMargin, span->end, cache);
        if ((pass.Shown() == &pass.exact) == exact) break;
    }
    return pass;
}

}  // namespace

void SelectNeighbour(NeighbourList& list, const Text& word) {
    const int index = list.FindPrefix(word);
    if (index >= 0) list.Select(index);
}

GatheredWindow GatherWindow(const LookupResult& result, const FileHandle& file,
                            const CodePage& codePage) {
    WindowPass pass = GatherPass(result, file, codePage, nullptr);
    GatheredWindow gathered;
    if (const EntryGroup* group = pass.Shown()) {
        gathered.entry = {group == &pass.exact, group->Headword(), group->Cut()};
        gathered.content = group->PageContent();
    }
    gathered.neighbours = std::move(pass.neighbours);
    return gathered;
}

GatheredEntry GatherEntries(const LookupResult& result, const std::filesystem::path& dictionary,
                            const CodePage& codePage, const std::filesystem::path& home,
                            EntryScreen& screen) {
    auto file = OpenRegularFileForReading(dictionary);
    if (!file) return {};
    return GatherEntries(result, *file, codePage, home, screen);
}

GatheredEntry GatherEntries(const LookupResult& result, const FileHandle& file,
                            const CodePage& codePage, const std::filesystem::path& home,
                            EntryScreen& screen, ProbeCache* cache) {
    WindowPass pass = GatherPass(result, file, codePage, cache);
    GatheredEntry shown;
    Show(pass, result, home, screen, shown);
    return shown;
}

}  // namespace tavik
