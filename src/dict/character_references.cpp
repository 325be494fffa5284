#include "dict/character_references.h"

#include <cstdint>

namespace tavik {

namespace {

bool InReference(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '#';
}

int DigitValue(char16_t c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The code the viewer makes of a reference's name (without the "&").
uint32_t CodeOf(TextView name) {
    if (name.size() < 2 || name[0] != '#') return 0;
    size_t i = 1;
    int base = 10;
    if (name[1] == 'x' || name[1] == 'X') {
        base = 16;
        ++i;
        // The scan of a hexadecimal number takes a "0x" before its digits.
        if (i + 2 < name.size() && name[i] == '0' && (name[i + 1] == 'x' || name[i + 1] == 'X') &&
            DigitValue(name[i + 2], 16) >= 0)
            i += 2;
    }
    // The number saturates at the largest unsigned long and is then kept to
    // the low 32 bits of an unsigned int.
    uint64_t number = 0;
    for (; i < name.size() && DigitValue(name[i], base) >= 0; ++i) {
        const uint64_t digit = uint64_t(DigitValue(name[i], base));
        if (number > (UINT64_MAX - digit) / uint64_t(base)) {
            number = UINT64_MAX;
            continue;
        }
        number = number * uint64_t(base) + digit;
    }
    return uint32_t(number);
}

}  // namespace

std::vector<size_t> UnshowableCharacterReferences(TextView page) {
    std::vector<size_t> found;
    for (size_t at = page.find(u"&#"); at != TextView::npos; at = page.find(u"&#", at + 1)) {
        size_t end = at + 1;
        while (end < page.size() && InReference(page[end])) ++end;
        if (CodeOf(page.substr(at + 1, end - at - 1)) > 0x10FFFF) found.push_back(at);
    }
    return found;
}

}  // namespace tavik
