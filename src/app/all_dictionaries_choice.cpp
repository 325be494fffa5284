// The dictionaries of a search of them all.
#include "app/all_dictionaries_choice.h"

namespace tavik {

DictionaryList ListedDictionaries(const DictionaryListing& listing,
                                  DictionaryCodePages& codePages) {
    // A copy: the answer for one file lasts only until the next question.
    return DictionaryList(listing.files, [&codePages](const std::filesystem::path& file) {
        return CodePage(codePages.For(file));
    });
}

}  // namespace tavik
