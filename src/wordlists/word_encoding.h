// Which encoding a word-list file is in. Earlier versions wrote CP949 only;
// words CP949 cannot hold are written in UTF-8. The file carries no name of
// its encoding, so it is told from the bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/codepage_detect.h"
#include "text/codepage.h"

namespace tavik {

enum class WordFileEncoding { Cp949, Utf8 };

// The converter for `encoding`, opened once.
const CodePage& CodePageOf(WordFileEncoding encoding);

// The UTF-8 byte-order mark. A UTF-8 word file starts with it (on a line of
// its own) only when its words alone could pass for CP949 Korean.
inline constexpr std::string_view kUtf8Mark = kUtf8ByteOrderMark;

// Takes a file's lines one after the other and tells its encoding: UTF-8
// when the file starts with the mark, or when it is valid UTF-8 holding
// characters beyond ASCII that CP949 would not read as plain Korean words;
// CP949 otherwise (ASCII only, an empty file, or anything not valid UTF-8).
//
// The second rule exists because the two overlap: "책" in CP949 is the bytes
// of "å" in UTF-8. A line whose CP949 reading is Hangul syllables only (with
// no Latin letters beside them) is taken as CP949, which is what every
// earlier version wrote; "café" or "naïve" in UTF-8 read as CP949 would mix
// Latin letters and Hangul inside one word, so they are taken as UTF-8.
class WordFileDetector {
public:
    void AddMark() { m_marked = true; }
    // One line (or piece of a long line) as read, without its line feed.
    void AddLine(std::string_view bytes);
    WordFileEncoding Encoding() const;
    bool Marked() const { return m_marked; }

private:
    void CheckUtf8(std::string_view bytes);

    bool m_marked = false;
    bool m_validUtf8 = true;
    bool m_beyondAscii = false;
    bool m_readsAsKorean = true;  // every line beyond ASCII reads as Hangul in CP949
    // Continuation bytes still expected, and the range the next one must lie
    // in (narrower after some lead bytes, to refuse overlong forms and
    // surrogates).
    int m_pending = 0;
    uint8_t m_low = 0x80;
    uint8_t m_high = 0xBF;
};

}  // namespace tavik
