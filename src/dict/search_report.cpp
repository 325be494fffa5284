// Notices and status lines after a search.
#include "dict/search_report.h"

#include <optional>
#include <system_error>

#include "dict/dictionary_folder.h"
#include "dict/notice_page.h"
#include "dict/notices.h"

namespace tavik {

namespace {

Text PathText(const std::filesystem::path& path) { return FromUtf8(path.string()); }

Notice EmptyDataNotice(const std::filesystem::path& home) {
    const Text folder = PathText(DataFolder(home));
    return Notice{
        NoticeText(NoticeId::kNoDictionaryTitle),
        {NoticeText(NoticeId::kNoDictionaryWhere, {folder}),
         NoticeText(NoticeId::kNoDictionaryFormat), NoticeText(NoticeId::kNoDictionaryImport),
         NoticeText(NoticeId::kNoDictionaryImportExample, {folder}),
         NoticeText(NoticeId::kNoDictionaryChoose)}};
}

// Why the dictionary shows nothing at all; nothing when it was read.
std::optional<NoticeId> DictionaryProblem(const SearchOutcome& outcome,
                                          const std::filesystem::path& dictionary) {
    std::error_code error;
    if (outcome.Opened()) {
        // A file emptied since it was chosen opens but holds no line.
        if (outcome.result.strHeadword.empty() &&
            std::filesystem::file_size(dictionary, error) == 0 && !error)
            return NoticeId::kDictionaryEmpty;
        return std::nullopt;
    }
    const std::filesystem::file_status status = std::filesystem::status(dictionary, error);
    if (!std::filesystem::exists(status)) return NoticeId::kDictionaryMissing;
    if (std::filesystem::is_directory(status)) return NoticeId::kDictionaryIsFolder;
    if (!std::filesystem::is_regular_file(status)) return NoticeId::kDictionaryNotRegular;
    return NoticeId::kDictionaryUnreadable;
}

}  // namespace

void ReportSearch(const SearchOutcome& outcome, const std::filesystem::path& home,
                  const std::filesystem::path& dictionary, NeighbourList& neighbours,
                  PageSink& page, StatusSink& status) {
    if (const auto problem = DictionaryProblem(outcome, dictionary)) {
        neighbours.Reset();
        if (*problem == NoticeId::kDictionaryMissing && DictionaryNames(DataFolder(home)).empty()) {
            ShowNoticePage(home, EmptyDataNotice(home), page);
            status.ShowStatus(
                NoticeText(NoticeId::kStatusNoDictionary, {PathText(DataFolder(home))}));
            return;
        }
        const Text file = PathText(dictionary);
        const Text reason = FromUtf8(outcome.openError);
        ShowNoticePage(home,
                       Notice{NoticeText(NoticeId::kDictionaryUnusableTitle),
                              {NoticeText(*problem, {file, reason}),
                               NoticeText(NoticeId::kChooseAnotherDictionary)}},
                       page);
        status.ShowStatus(NoticeText(NoticeId::kStatusDictionaryUnusable, {file}));
        return;
    }
    const Text& word = outcome.result.strWord;
    if (outcome.shown.exact)
        status.ShowStatus(Text());
    else if (!outcome.shown.headword.empty())
        status.ShowStatus(
            NoticeText(NoticeId::kStatusWordNotFound, {word, outcome.shown.headword}));
    else
        status.ShowStatus(NoticeText(NoticeId::kStatusNothingFound, {word}));
}

}  // namespace tavik
