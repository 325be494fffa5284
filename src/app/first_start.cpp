// The first-start page of the window.
#include "app/first_start.h"

#include "app/add_dictionary_dlg.h"
#include "app/tavik_app.h"
#include "dict/dictionary_folder.h"
#include "dict/entry_page.h"
#include "tools/first_start_page.h"
#include "wordlists/dictionary_choice.h"

namespace tavik {

void ShowFirstStartPage(PageSink& page) {
    CTavikApp& app = theApp();
    const std::vector<std::filesystem::path> folders = app.DataFolders();
    const DictionaryListing listing = ListDictionaries(folders, app.StoredDictionaryPath());
    // The installed dictionaries are looked for only when the page may
    // speak of them: a user with dictionaries of their own starts faster.
    const bool onlyBundled =
        listing.names.empty() ||
        (listing.names.size() == 1 && listing.names.front() == kBundledDictionaryName);
    if (!onlyBundled) return;
    const size_t toAdd =
        NotYetAdded(FindInstalledDictionaries(AddDictionaryDefaults().installedFolders()), folders)
            .size();
    if (const auto content = FirstStartContent(listing.names, toAdd, folders.front()))
        ShowEntryPage(app.SkinHome(), Text(), *content, page);
}

}  // namespace tavik
