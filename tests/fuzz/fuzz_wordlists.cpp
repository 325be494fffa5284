// The word-list files on arbitrary bytes: loading never crashes, and a word
// added afterwards comes back at the front of the list after a reload
// whenever the file can hold it as one line.
#include <cstdlib>

#include "fuzz/cpu_budget.h"
#include "fuzz/fuzz_folder.h"
#include "fuzz/fuzz_input.h"
#include "text/codepage.h"
#include "wordlists/word_file.h"
#include "wordlists/word_stores.h"

using namespace tavik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::CpuBudget budget;
    fuzz::FuzzInput input(data, size);
    const CodePage& codePage = fuzz::PickCodePage(input);
    const Text word = Trim(codePage.Decode(input.Piece(30)));
    const auto home = fuzz::FuzzFolder() / "lists";
    fuzz::WriteBytes(home / "Word.dat", input.Piece(200));
    fuzz::WriteBytes(home / "OldWord.dat", input.Rest());

    WordStores stores(home);
    stores.LoadWordBook();
    stores.LoadRecentWords();
    if (word.empty() || word.find(u'\uFFFD') != Text::npos) return 0;
    stores.AddRecentWord(word);
    stores.AddWordBook(word);

    WordStores again(home);
    again.LoadRecentWords();
    again.LoadWordBook();
    if (EncodeWordLine(WordFileEncoding::Utf8, word)) {
        if (again.m_listRecentWord.IsEmpty() ||
            again.m_listRecentWord.Entries().front().word != word)
            std::abort();
    }
    if (stores.WriteWordBook()) {
        WordStores rewritten(home);
        rewritten.LoadWordBook();
        // The rewrite keeps every word the file can hold, in list order.
        if (rewritten.m_listWordBook.Count() > stores.m_listWordBook.Count()) std::abort();
    }
    return 0;
}
