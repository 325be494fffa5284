// Where the last whole character of a byte string ends: UTF-8 by its own
// structure, other code pages by letting iconv find an incomplete sequence.
#include "text/character_cut.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>

namespace tavik {

namespace {

size_t CompleteUtf8Length(std::string_view bytes) {
    // Back over continuation bytes to the last lead byte.
    size_t lead = bytes.size();
    int continuations = 0;
    while (lead > 0 && continuations < 4 &&
           (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuations;
    }
    if (lead == 0) return bytes.size();
    const unsigned char first = static_cast<unsigned char>(bytes[lead - 1]);
    const int needed = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC0 ? 1 : 0;
    if (first < 0xC0 || first > 0xF7) return bytes.size();  // no lead byte: nothing cut off
    return continuations < needed ? lead - 1 : bytes.size();
}

// Double-byte code pages share byte values between lead and trail bytes, so
// only a pass from the start tells where the characters fall.
size_t CompleteLengthByIconv(std::string_view bytes, const CodePage& codePage) {
    iconv_t cd = iconv_open("UTF-16LE", codePage.Name().c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return bytes.size();
    std::string input(bytes);
    char* in = input.data();
    size_t inLeft = input.size();
    std::array<char, 8192> out;
    size_t complete = bytes.size();
    while (inLeft > 0) {
        char* outPtr = out.data();
        size_t outLeft = out.size();
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1)) break;
        if (errno == E2BIG) continue;
        if (errno == EINVAL) {
            complete = bytes.size() - inLeft;  // a character cut off at the end
            break;
        }
        if (errno != EILSEQ) break;
        ++in;  // an invalid byte: step over it
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return complete;
}

}  // namespace

size_t CompleteCharactersLength(std::string_view bytes, const CodePage& codePage) {
    if (codePage.IsUtf8()) return CompleteUtf8Length(bytes);
    return CompleteLengthByIconv(bytes, codePage);
}

std::string_view CutAtCharacter(std::string_view bytes, size_t limit, const CodePage& codePage) {
    if (bytes.size() <= limit) return bytes;
    return bytes.substr(0, CompleteCharactersLength(bytes.substr(0, limit), codePage));
}

}  // namespace tavik
