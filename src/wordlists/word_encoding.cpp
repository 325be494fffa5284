// Telling CP949 word files from UTF-8 ones.
#include "wordlists/word_encoding.h"

#include <algorithm>

namespace tavik {

namespace {

bool IsHangulSyllable(char16_t c) { return c >= 0xAC00 && c <= 0xD7A3; }

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Whether the line, read as CP949, is a Korean word: Hangul syllables, with
// nothing beside them but spaces, digits and punctuation.
bool ReadsAsKorean(std::string_view bytes) {
    const Text text = CodePageOf(WordFileEncoding::Cp949).Decode(bytes);
    bool hangul = false;
    for (char16_t c : text) {
        if (IsHangulSyllable(c))
            hangul = true;
        else if (c >= 0x80 || IsAsciiLetter(c))
            return false;
    }
    return hangul;
}

}  // namespace

const CodePage& CodePageOf(WordFileEncoding encoding) {
    static const CodePage cp949 = CodePage::Default();
    static const CodePage utf8 = *CodePage::Named("UTF-8");
    return encoding == WordFileEncoding::Utf8 ? utf8 : cp949;
}

void WordFileDetector::CheckUtf8(std::string_view bytes) {
    for (const char ch : bytes) {
        const auto byte = uint8_t(ch);
        if (m_pending > 0) {
            if (byte < m_low || byte > m_high) {
                m_validUtf8 = false;
                return;
            }
            --m_pending;
            m_low = 0x80;
            m_high = 0xBF;
            continue;
        }
        if (byte < 0x80) continue;
        if (byte >= 0xC2 && byte <= 0xDF) {
            m_pending = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            m_pending = 2;
            if (byte == 0xE0) m_low = 0xA0;
            if (byte == 0xED) m_high = 0x9F;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            m_pending = 3;
            if (byte == 0xF0) m_low = 0x90;
            if (byte == 0xF4) m_high = 0x8F;
        } else {
            m_validUtf8 = false;
            return;
        }
    }
}

void WordFileDetector::AddLine(std::string_view bytes) {
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) >= 0x80; });
    if (!beyondAscii && m_pending == 0) return;
    m_beyondAscii = m_beyondAscii || beyondAscii;
    // Once the file is known not to be UTF-8, the rest needs no look.
    if (!m_validUtf8 || m_marked) return;
    CheckUtf8(bytes);
    if (m_validUtf8 && m_readsAsKorean && beyondAscii && !ReadsAsKorean(bytes))
        m_readsAsKorean = false;
}

WordFileEncoding WordFileDetector::Encoding() const {
    if (m_marked) return WordFileEncoding::Utf8;
    if (!m_validUtf8 || m_pending > 0 || !m_beyondAscii || m_readsAsKorean)
        return WordFileEncoding::Cp949;
    return WordFileEncoding::Utf8;
}

}  // namespace tavik
