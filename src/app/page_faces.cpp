// Which faces the page uses.
#include "app/page_faces.h"

#include <wx/fontenum.h>

namespace tavik {

PageFaces ChoosePageFaces(UiLanguage language, bool nanumInstalled) {
    if (language != UiLanguage::kKorean || !nanumInstalled) return {};
    return {"NanumGothic", "NanumGothicCoding"};
}

PageFaces CurrentPageFaces() {
    return ChoosePageFaces(CurrentUiLanguage(), wxFontEnumerator::IsValidFacename("NanumGothic"));
}

}  // namespace tavik
