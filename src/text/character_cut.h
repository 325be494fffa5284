// Cutting a byte string of some code page without splitting a character.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/codepage.h"

namespace tavik {

// The length of the longest prefix of `bytes` that does not end inside a
// multi-byte character of `codePage`: a character cut off at the end of
// `bytes` is dropped whole. Invalid bytes before it stay as they are.
size_t CompleteCharactersLength(std::string_view bytes, const CodePage& codePage);

// `bytes` cut to at most `limit` bytes without splitting a character.
std::string_view CutAtCharacter(std::string_view bytes, size_t limit, const CodePage& codePage);

}  // namespace tavik
