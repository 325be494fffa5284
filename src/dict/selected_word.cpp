// The word in a selection.
#include "dict/selected_word.h"

namespace tavik {

namespace {
bool IsLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029';
}
}  // namespace

Text WordFromSelection(TextView selected) {
    size_t start = 0;
    while (start < selected.size()) {
        size_t end = start;
        while (end < selected.size() && !IsLineBreak(selected[end])) ++end;
        Text line = Trim(selected.substr(start, end - start));
        if (!line.empty()) {
            if (line.size() > kMaxSelectedWordLength) {
                size_t cut = kMaxSelectedWordLength;
                // Never half a character outside the Basic Multilingual Plane.
                if (line[cut - 1] >= 0xD800 && line[cut - 1] <= 0xDBFF) --cut;
                line = Trim(TextView(line).substr(0, cut));
            }
            return line;
        }
        start = end + 1;
    }
    return Text();
}

}  // namespace tavik
