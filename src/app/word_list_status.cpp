// The word lists' status texts.
#include "app/word_list_status.h"

#include <wx/intl.h>

#include "app/wx_text.h"

namespace tavik {

wxString WordListFailureText(const WordListFailure& failure) {
    const wxString file = PathToWx(failure.file);
    if (failure.problem == WordFileProblem::kForeignLink)
        return wxString::Format(
            _(L"%s 파일은 다른 사용자의 링크라서 따르지 않습니다. 바뀐 내용은 Tavik을 닫을 때까지만 남습니다."),
            file);
    if (failure.list == WordListKind::kWordBook)
        return wxString::Format(
            _(L"단어장 파일 %s에 저장할 수 없습니다. 바뀐 내용은 Tavik을 닫을 때까지만 남습니다."),
            file);
    return wxString::Format(
        _(L"최근 검색어 파일 %s에 저장할 수 없습니다. 바뀐 내용은 Tavik을 닫을 때까지만 남습니다."),
        file);
}

wxString ForeignSkinLinkText(const std::filesystem::path& file) {
    return wxString::Format(_(L"%s 파일은 다른 사용자의 링크라서 따르지 않습니다."),
                            PathToWx(file));
}

}  // namespace tavik
