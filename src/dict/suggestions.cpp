// Ending rules, the edit distance and the bounded reads around a position.
#include "dict/suggestions.h"

#include <algorithm>
#include <deque>
#include <map>
#include <unordered_set>

#include "dict/dictionary_line.h"
#include "dict/lookup.h"
#include "text/compare.h"

namespace tavik {

namespace {

// Around each place looked at, this many headwords before and after it are
// read, from at most this many bytes before and after it: a few small reads
// whatever the size of the dictionary.
constexpr size_t kNearLines = 32;
constexpr int64_t kNearBytes = 16384;
// Only the headword of a line matters; the rest of a long line is skipped.
constexpr size_t kHeadwordReadLimit = 1024;
constexpr size_t kNearReadSize = 8192;
// The first letters of the word are looked up as well: the headwords that
// begin like it stand there.
constexpr size_t kLongestLeadingPart = 3;
// The word is also looked up with one slip of a key undone where a slip
// moves it far in the file: early in the word. Each costs one lookup; a slip
// further on leaves the word beside the headword meant, where the headwords
// around the word are read anyway.
constexpr size_t kEarlySwaps = 4;      // letters swapped at positions 0-1 ... 3-4
constexpr size_t kEarlyDeletions = 2;  // one letter too many at position 0 or 1
// A stem shorter than this is a different word, not a stem: "is" is not "i".
constexpr size_t kShortestStem = 2;

struct Ending {
    std::u16string_view ending;
    std::u16string_view replacement;
    // The ending may have dropped a final "e" ("making") or doubled the last
    // consonant ("stopped").
    bool mayChangeStem;
};

// The "-ies" kind first: "flies" is "fly" before it is "flie".
constexpr Ending kEndings[] = {
    {u"ies", u"y", false}, {u"ied", u"y", false}, {u"ier", u"y", false}, {u"iest", u"y", false},
    {u"ily", u"y", false}, {u"s", u"", false},    {u"es", u"", false},   {u"ed", u"", true},
    {u"ing", u"", true},   {u"er", u"", true},    {u"est", u"", true},   {u"ly", u"", false},
};

bool IsVowel(char16_t c) { return c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u'; }
bool IsConsonant(char16_t c) { return c >= u'a' && c <= u'z' && !IsVowel(c); }

// "mak", "hop", "lat": a short vowel before one consonant, where English
// drops an "e" before an ending more often than it adds nothing.
bool EndsLikeDroppedE(TextView stem) {
    const size_t n = stem.size();
    if (n < 2) return false;
    const char16_t last = stem[n - 1];
    if (!IsConsonant(last) || last == u'w' || last == u'x' || last == u'y') return false;
    if (!IsVowel(stem[n - 2])) return false;
    return n == 2 || !IsVowel(stem[n - 3]);
}

void AddStemsOf(TextView stem, const Ending& ending, std::vector<Text>& stems) {
    if (!ending.mayChangeStem) {
        stems.push_back(Text(stem) + Text(ending.replacement));
        return;
    }
    const Text withE = Text(stem) + u'e';
    if (EndsLikeDroppedE(stem)) {
        stems.push_back(withE);
        stems.push_back(Text(stem));
    } else {
        stems.push_back(Text(stem));
        stems.push_back(withE);
    }
    const size_t n = stem.size();
    if (n >= 3 && stem[n - 1] == stem[n - 2] && IsConsonant(stem[n - 1]))
        stems.push_back(Text(stem.substr(0, n - 1)));
}

Text HeadwordOf(std::string_view line, const CodePage& codePage) {
    return codePage.Decode(DictionaryHeadword(line));
}

// `word` with two neighbouring letters swapped back ("recieve" -> "receive")
// or one letter fewer ("bbook" -> "book"), early in the word.
std::vector<Text> EarlySlipVariants(TextView word) {
    std::vector<Text> variants;
    for (size_t i = 0; i < kEarlySwaps && i + 1 < word.size(); ++i) {
        if (word[i] == word[i + 1]) continue;
        Text swapped(word);
        std::swap(swapped[i], swapped[i + 1]);
        variants.push_back(std::move(swapped));
    }
    for (size_t i = 0; i < kEarlyDeletions && i < word.size() && word.size() > 1; ++i) {
        if (i > 0 && word[i] == word[i - 1]) continue;  // the same word again
        variants.push_back(Text(word.substr(0, i)) + Text(word.substr(i + 1)));
    }
    return variants;
}

struct NearHeadword {
    int distance;
    int64_t lineStart;
    Text headword;
};

// Headwords by where their lines start, read around `position` (a place the
// lookup stopped at: a line boundary or inside the line before the one it
// found).
void ReadHeadwordsAround(const FileHandle& file, const CodePage& codePage, int64_t position,
                         std::multimap<int64_t, Text>& headwords) {
    LineReader reader(file, kHeadwordReadLimit, kNearReadSize, LongLines::kWhole);
    const int64_t from = std::max<int64_t>(0, position - kNearBytes);
    reader.Seek(from);
    std::string_view line;
    // What is read first from inside a line is the tail of it.
    if (from > 0 && !reader.ReadLine(line)) return;
    std::deque<std::pair<int64_t, Text>> before;
    size_t after = 0;
    while (after < kNearLines && ReadDictionaryLine(reader, codePage, line)) {
        const int64_t start = reader.LineStart();
        if (start > position + kNearBytes) break;
        Text headword = HeadwordOf(line, codePage);
        // A line without "/" holds no entry to offer.
        if (headword.empty() || headword.back() == u'\n') continue;
        if (start < position) {
            before.emplace_back(start, std::move(headword));
            if (before.size() > kNearLines) before.pop_front();
        } else {
            headwords.emplace(start, std::move(headword));
            ++after;
        }
    }
    for (auto& [start, headword] : before) headwords.emplace(start, std::move(headword));
}

// Where the lookup of `word` stops, near which its neighbours in the file lie.
int64_t PlaceOf(const FileHandle& file, const CodePage& codePage, const Text& word,
                ProbeCache* cache) {
    int probes = 0;
    return LookupWord(file, codePage, word, probes, cache).nOffset;
}

}  // namespace

std::vector<Text> EndingStems(TextView word) {
    const Text folded = ToLower(word);
    std::vector<Text> stems;
    for (const Ending& ending : kEndings) {
        if (!folded.ends_with(ending.ending)) continue;
        const TextView stem = TextView(folded).substr(0, folded.size() - ending.ending.size());
        if (stem.size() < kShortestStem) continue;
        // "glass" is not the plural of "glas".
        if (ending.ending == u"s" && stem.back() == u's') continue;
        AddStemsOf(stem, ending, stems);
    }
    std::vector<Text> unique;
    for (Text& stem : stems)
        if (stem != folded && std::find(unique.begin(), unique.end(), stem) == unique.end())
            unique.push_back(std::move(stem));
    return unique;
}

int EditDistance(TextView a, TextView b, int limit) {
    const int over = limit + 1;
    const size_t band = size_t(std::max(limit, 0));
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > band) return over;
    // Only cells within `limit` of the diagonal can stay within the limit:
    // the work is linear in the length, also for a long headword.
    auto inBand = [band](size_t row, size_t column) {
        return (row > column ? row - column : column - row) <= band;
    };
    std::vector<int> before(b.size() + 1, over);
    std::vector<int> previous(b.size() + 1, over);
    std::vector<int> current(b.size() + 1, over);
    auto at = [&](const std::vector<int>& cells, size_t row, size_t column) {
        return inBand(row, column) ? cells[column] : over;
    };
    for (size_t j = 0; j <= b.size() && j <= band; ++j) previous[j] = int(j);
    for (size_t i = 1; i <= a.size(); ++i) {
        const size_t first = i > band ? i - band : 0;
        const size_t last = std::min(b.size(), i + band);
        int best = over;
        for (size_t j = first; j <= last; ++j) {
            int value;
            if (j == 0) {
                value = int(i);
            } else {
                const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
                value = std::min({at(previous, i - 1, j) + 1, at(current, i, j - 1) + 1,
                                  at(previous, i - 1, j - 1) + cost});
                if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                    value = std::min(value, at(before, i - 2, j - 2) + 1);
            }
            current[j] = std::min(value, over);
            best = std::min(best, current[j]);
        }
        if (best >= over) return over;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return at(previous, a.size(), b.size());
}

std::vector<Text> SuggestWords(const FileHandle& file, const CodePage& codePage, TextView word,
                               ProbeCache* cache, std::optional<int64_t> wordPlace) {
    std::vector<Text> suggestions;
    if (word.empty()) return suggestions;
    const Text folded = ToLower(word);
    std::unordered_set<Text> offered{folded};
    auto offer = [&](const Text& headword) {
        if (suggestions.size() < kMostSuggestions && offered.insert(ToLower(headword)).second)
            suggestions.push_back(headword);
    };

    int probes = 0;
    for (const Text& stem : EndingStems(word)) {
        if (suggestions.size() >= kMostSuggestions) return suggestions;
        const LookupResult found = LookupWord(file, codePage, stem, probes, cache);
        if (!found.strHeadword.empty() && EqualOrder(found.strHeadword, stem))
            offer(found.strHeadword);
    }

    std::vector<int64_t> places{wordPlace ? *wordPlace
                                          : PlaceOf(file, codePage, Text(word), cache)};
    if (word.size() > 1) {
        const size_t leading = std::min(kLongestLeadingPart, word.size() - 1);
        places.push_back(PlaceOf(file, codePage, Text(word.substr(0, leading)), cache));
    }
    // Headwords by where they stand in the file (a line or just before it).
    std::multimap<int64_t, Text> headwords;
    for (const Text& variant : EarlySlipVariants(word)) {
        const LookupResult found = LookupWord(file, codePage, variant, probes, cache);
        if (!found.strHeadword.empty() && EqualOrder(found.strHeadword, variant))
            headwords.emplace(found.nOffset, found.strHeadword);
    }
    for (size_t i = 0; i < places.size(); ++i) {
        const int64_t place = places[i];
        const bool seen =
            std::find(places.begin(), places.begin() + i, place) != places.begin() + i;
        if (place >= 0 && !seen) ReadHeadwordsAround(file, codePage, place, headwords);
    }

    std::vector<NearHeadword> near;
    for (auto& [start, headword] : headwords) {
        const int distance = EditDistance(folded, ToLower(headword), kMostSuggestionEdits);
        if (distance > 0 && distance <= kMostSuggestionEdits)
            near.push_back({distance, start, std::move(headword)});
    }
    // The map gave them in file order; the sort keeps it among equals.
    std::stable_sort(near.begin(), near.end(), [](const NearHeadword& x, const NearHeadword& y) {
        return x.distance < y.distance;
    });
    for (const NearHeadword& candidate : near) offer(candidate.headword);
    return suggestions;
}

std::vector<Text> SuggestWords(const std::filesystem::path& dictionary, const CodePage& codePage,
                               TextView word) {
    const auto file = OpenRegularFileForReading(dictionary);
    if (!file) return {};
    return SuggestWords(*file, codePage, word);
}

}  // namespace tavik
