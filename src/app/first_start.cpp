// The first-start page of the window.
#include "app/first_start.h"

#include "app/tavik_app.h"
#include "dict/dictionary_folder.h"
#include "dict/entry_page.h"
#include "tools/dictionary_adding.h"
#include "tools/first_start_page.h"

namespace tavik {

void ShowFirstStartPage(PageSink& page, const std::vector<std::filesystem::path>& dataFolders,
                        const DictionaryFolders& installed) {
    std::vector<Text> names;
    for (const DictionaryFile& file : ListDictionaryFiles(dataFolders)) names.push_back(file.name);
    // The installed dictionaries are looked for only when the page may
    // speak of them: a user with dictionaries of their own starts faster.
    const bool onlyBundled =
        names.empty() || (names.size() == 1 && names.front() == kBundledDictionaryName);
    if (!onlyBundled) return;
    const size_t toAdd = NotYetAdded(FindInstalledDictionaries(installed), dataFolders).size();
    if (const auto content = FirstStartContent(names, toAdd, dataFolders.front()))
        ShowEntryPage(theApp().SkinHome(), Text(), *content, page);
}

}  // namespace tavik
