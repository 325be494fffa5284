// `tavik-dict lookup [--home DIR] [--dict FILE | --all] [--codepage NAME]
//                    [--format text|html|json] [--exact] [WORD...]`
#include "cli/lookup_command.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/command_error.h"
#include "cli/json.h"
#include "cli/lookup_all.h"
#include "cli/options.h"
#include "cli/tool_options.h"
#include "cli/two_steps.h"
#include "config/home_folder.h"
#include "dict/dictionary_folder.h"
#include "dict/dictionary_line.h"
#include "dict/dictionary_session.h"
#include "dict/entry_page.h"
#include "dict/recorders.h"
#include "dict/search.h"
#include "dict/search_action.h"
#include "dict/suggestions.h"
#include "dict/window_gatherer.h"
#include "text/character_cut.h"
#include "text/file.h"
#include "text/paths.h"

namespace tavik::cli {

namespace {

enum class Format { kText, kHtml, kJson };

Format ParseFormat(const std::string& name) {
    if (name == "text") return Format::kText;
    if (name == "html") return Format::kHtml;
    if (name == "json") return Format::kJson;
    throw CommandError("unknown format '" + name + "' (text, html or json)");
}

// Output goes through one buffer: a batch of many words writes in large
// blocks.
class Output {
public:
    ~Output() {
        if (!m_buffer.empty()) std::fwrite(m_buffer.data(), 1, m_buffer.size(), stdout);
    }
    void Write(std::string_view text) {
        m_buffer.append(text);
        Written();
    }
    // For writers that append to the buffer themselves; then Written().
    std::string& Buffer() { return m_buffer; }
    void Written() {
        if (m_buffer.size() >= 1 << 16) Flush();
    }
    // A failed write ends the run at once: a batch to a full disk must not
    // look like success.
    void Flush() {
        const bool written = m_buffer.empty() || std::fwrite(m_buffer.data(), 1, m_buffer.size(),
                                                             stdout) == m_buffer.size();
        m_buffer.clear();
        if (!written) FlushStandardOutput();
    }

private:
    std::string m_buffer;
};

struct WordOutcome {
    // Only the text format prints the entry as plain text; no format prints
    // the page's pieces one by one. The page is written into the room of
    // `pageBuffer`: the page of the word before.
    WordOutcome(Format format, Text pageBuffer)
        : page(format == Format::kText, false, std::move(pageBuffer)) {}

    Text word;
    LookupResult result;
    GatheredEntry shown;
    RecordingNeighbourList neighbours;
    RecordingPage page;
    RecordingMessages messages;
    // Headwords like a word not found exactly; asked for only where they are
    // printed.
    std::optional<std::vector<Text>> suggestions;

    bool ShowedEntry() const { return !result.strHeadword.empty() && messages.Messages().empty(); }
};

// Trims the word; an empty one gets the window's message and no search.
bool TakeWord(const Text& rawWord, WordOutcome& outcome) {
    outcome.word = Trim(rawWord);
    outcome.result.strWord = outcome.word;
    if (!outcome.word.empty()) return true;
    outcome.messages.ShowMessage(Text(kEmptyWordMessage));
    return false;
}

void LookUp(const Text& rawWord, DictionarySession& dictionary, const std::filesystem::path& home,
            const EntryPageStyle& style, WordOutcome& outcome) {
    if (!TakeWord(rawWord, outcome)) return;
    EntryScreen screen{outcome.neighbours, outcome.page, outcome.messages, &style};
    SearchOutcome searched = dictionary.Search(outcome.word, home, screen);
    outcome.result = std::move(searched.result);
    outcome.shown = std::move(searched.shown);
}

// Every dictionary: the outcome holds the lead dictionary's lookup, exact
// when any dictionary holds the word.
void LookUpAll(const Text& rawWord, const std::vector<Dictionary>& dictionaries,
               const std::filesystem::path& home, WordOutcome& outcome, DictionariesOutcome& all) {
    if (!TakeWord(rawWord, outcome)) return;
    EntryScreen screen{outcome.neighbours, outcome.page, outcome.messages};
    all = SearchDictionaries(outcome.word, dictionaries, home, screen);
    outcome.result = all.leadOutcome.result;
    outcome.shown = all.leadOutcome.shown;
    outcome.shown.exact = !all.found.empty();
}

// Words on standard input, one a line; a line longer than a dictionary line
// is cut (between characters) rather than held whole.
class WordLines {
public:
    explicit WordLines(std::FILE* in) : m_in(in) {}

    bool Next(std::string& word) {
        word.clear();
        bool cut = false;
        int c;
        // One process reads its standard input alone: no stream locking.
        while ((c = getc_unlocked(m_in)) != EOF && c != '\n') {
            if (word.size() < kDictionaryLineLimit) {
                word.push_back(char(c));
            } else {
                cut = true;
            }
        }
        if (c == EOF && word.empty() && !cut) return false;
        if (cut) {
            ++m_cut;
            static const CodePage utf8 = *CodePage::Named("UTF-8");
            word.resize(CompleteCharactersLength(word, utf8));
        }
        return true;
    }

    int64_t CutCount() const { return m_cut; }

private:
    std::FILE* m_in;
    int64_t m_cut = 0;
};

void WriteJson(const WordOutcome& outcome, Output& out) {
    // Straight into the output buffer: a batch writes kilobytes of page per
    // word, and each copy of them costs.
    std::string& json = out.Buffer();
    json += "{\"word\":";
    AppendJsonString(json, outcome.word);
    json += ",\"offset\":";
    json += std::to_string(outcome.result.nOffset);
    json += ",\"headword\":";
    AppendJsonString(json, outcome.result.strHeadword);
    json += ",\"exact\":";
    json += outcome.shown.exact ? "true" : "false";
    json += ",\"neighbours\":";
    AppendJsonStringArray(json, outcome.neighbours.Items());
    json += ",\"selected\":";
    json += std::to_string(outcome.neighbours.Selection());
    json += ",\"page\":";
    if (outcome.page.Page())
        AppendJsonString(json, *outcome.page.Page());
    else
        json += "null";
    json += ",\"message\":";
    const auto& messages = outcome.messages.Messages();
    if (messages.empty())
        json += "null";
    else
        AppendJsonString(json, messages.back());
    if (outcome.suggestions) {
        json += ",\"suggestions\":";
        AppendJsonStringArray(json, *outcome.suggestions);
    }
    json += "}\n";
    out.Written();
}

// Escape sequences in a dictionary must not reach a terminal as commands.
Text WithoutControlCharacters(Text text) {
    for (char16_t& c : text) {
        const bool control = (c < 0x20 && c != u'\n' && c != u'\t') || (c >= 0x7F && c <= 0x9F);
        if (control) c = u'\uFFFD';
    }
    return text;
}

// A reader at a terminal sees the words offered on standard error, after the
// entry; what scripts read stays as it was.
void WriteSuggestionsLine(const WordOutcome& outcome, Output& out) {
    if (!outcome.suggestions || outcome.suggestions->empty()) return;
    std::string line = "suggestions: ";
    for (size_t i = 0; i < outcome.suggestions->size(); ++i) {
        if (i) line += ", ";
        line += ToUtf8(WithoutControlCharacters((*outcome.suggestions)[i]));
    }
    out.Flush();
    std::fprintf(stderr, "%s\n", line.c_str());
}

void WriteText(const WordOutcome& outcome, Output& out, bool first, bool forTerminal) {
    if (!outcome.ShowedEntry()) {
        out.Flush();
        const auto& messages = outcome.messages.Messages();
        std::fprintf(stderr, "tavik-dict: %s: %s\n", ToUtf8(outcome.word).c_str(),
                     messages.empty() ? "not found" : ToUtf8(messages.back()).c_str());
        WriteSuggestionsLine(outcome, out);
        return;
    }
    if (!first) out.Write("\n");
    out.Write(ToUtf8(forTerminal ? WithoutControlCharacters(outcome.page.CopyText())
                                 : outcome.page.CopyText()));
    out.Write("\n");
    WriteSuggestionsLine(outcome, out);
}

void WriteHtml(const WordOutcome& outcome, Output& out) {
    if (outcome.page.Page()) out.Write(ToUtf8(*outcome.page.Page()));
    out.Write("\n");
}

// One word of a batch between the two steps: as read, and as looked up.
struct LookedUpWord {
    Text rawWord;
    DictionarySession::LookedUp lookup;
};

int ExitStatus(const Options& options, bool allShown, bool allExact) {
    const bool allFound = options.Flag("--exact") ? allExact : allShown;
    return allFound ? kExitAllFound : kExitSomeMissing;
}

}  // namespace

int RunLookup(const std::vector<std::string>& args) {
    const Options options(args, {"--home", "--dict", "--codepage", "--format"},
                          {"--exact", "--all"});
    const std::optional<std::string> homeOption = options.Value("--home");
    const HomePlaces places = FindHomePlaces(HomeInputsFromEnvironment(
        ExecutableFolder(),
        homeOption ? std::optional<std::filesystem::path>(*homeOption) : std::nullopt));
    // The skin's colours and picture make the page, as in the window.
    const std::filesystem::path& home = places.skinHome;
    const std::filesystem::path dictionaryPath =
        options.Value("--dict") ? std::filesystem::path(*options.Value("--dict"))
                                : LayeredDataFile(places.DataFolders(), "Tavik.txt");
    const CodePage codePage = CodePageOption(options, dictionaryPath);
    const Format format = ParseFormat(options.Value("--format").value_or("text"));

    std::optional<DictionaryList> all;
    if (options.Flag("--all")) {
        if (options.Value("--dict")) throw CommandError("--all and --dict exclude each other");
        all.emplace(ListedDictionaries(places.DataFolders(), options));
        if (all->Dictionaries().empty())
            throw FileError(DataFolder(places.Folder()).string() + ": no dictionary");
    }
    // Kept open for the whole batch, and checked before each word.
    std::optional<DictionarySession> dictionary;
    if (!all) {
        dictionary.emplace(Dictionary{dictionaryPath, codePage});
        if (!dictionary->OpenError().empty())
            throw FileError(dictionaryPath.string() + ": " + dictionary->OpenError());
    }
    // Read once: a batch of thousands of words would otherwise read the skin
    // file for every page.
    std::optional<EntryPageStyle> style;
    if (!all) style = ReadEntryPageStyle(home);
    Output out;
    const bool forTerminal = ::isatty(STDOUT_FILENO) == 1;
    bool allShown = true;
    bool allExact = true;
    bool first = true;
    const bool offers = format == Format::kJson || (format == Format::kText && forTerminal);
    // Handed from word to word: the pages of a batch are written into one
    // buffer as large as the longest of them.
    Text pageBuffer;
    // Counts the word's outcome, writes it out and keeps its page's buffer.
    auto write = [&](WordOutcome& outcome, const DictionariesOutcome& allOutcome) {
        allShown = allShown && outcome.ShowedEntry();
        allExact = allExact && outcome.ShowedEntry() && outcome.shown.exact;
        switch (format) {
            case Format::kText:
                WriteText(outcome, out, first, forTerminal);
                break;
            case Format::kHtml:
                WriteHtml(outcome, out);
                break;
            case Format::kJson:
                if (all)
                    out.Write(AllDictionariesJson(outcome.word, allOutcome, all->Dictionaries(),
                                                  home, outcome.neighbours, outcome.page,
                                                  outcome.messages));
                else
                    WriteJson(outcome, out);
                break;
        }
        // Entries are set apart by an empty line; a word that shows nothing
        // prints nothing to standard output.
        if (format != Format::kText || outcome.ShowedEntry()) first = false;
        pageBuffer = outcome.page.TakeBuffer();
    };
    auto handle = [&](const Text& word) {
        WordOutcome outcome(format, std::move(pageBuffer));
        DictionariesOutcome allOutcome;
        if (all)
            LookUpAll(word, all->Dictionaries(), home, outcome, allOutcome);
        else
            LookUp(word, *dictionary, home, *style, outcome);
        if (offers && !all && !outcome.word.empty() && !outcome.shown.exact)
            outcome.suggestions = dictionary->Suggest(outcome.result);
        write(outcome, allOutcome);
    };

    if (!options.Positional().empty()) {
        for (const std::string& word : options.Positional()) handle(FromUtf8(word));
        return ExitStatus(options, allShown, allExact);
    }
    // stdio rather than iostreams: iostreams would set up the C++ locale
    // machinery in every process, which costs a single lookup dearly.
    WordLines lines(stdin);
    std::string bytes;
    // A batch against one dictionary looks each word up here and gathers,
    // shows and writes it on a second thread, a few words behind: the
    // search's reads and the making of the pages take about as long, and
    // each waits less on memory than both in turn on one processor.
    WindowGatherer windows(codePage);
    auto lookUp = [&]() -> std::optional<LookedUpWord> {
        if (!lines.Next(bytes)) return std::nullopt;
        LookedUpWord looked{FromUtf8(bytes), {}};
        const Text word = Trim(looked.rawWord);
        if (!word.empty()) looked.lookup = dictionary->LookUp(word);
        return looked;
    };
    auto show = [&](LookedUpWord& looked) {
        WordOutcome outcome(format, std::move(pageBuffer));
        if (TakeWord(looked.rawWord, outcome)) {
            EntryScreen screen{outcome.neighbours, outcome.page, outcome.messages, &*style};
            outcome.shown = windows.Gather(looked.lookup, home, screen);
            if (offers && !outcome.shown.exact)
                outcome.suggestions = windows.Suggest(looked.lookup);
            outcome.result = std::move(looked.lookup.result);
        }
        write(outcome, {});
    };
    const bool twoSteps = !all && RunInTwoSteps<LookedUpWord>(lookUp, show);
    if (!twoSteps) {
        while (lines.Next(bytes)) handle(FromUtf8(bytes));
    }
    if (lines.CutCount() > 0) {
        out.Flush();
        std::fprintf(stderr, "tavik-dict: cut %lld words longer than %zu bytes\n",
                     static_cast<long long>(lines.CutCount()), kDictionaryLineLimit);
    }
    return ExitStatus(options, allShown, allExact);
}

}  // namespace tavik::cli
