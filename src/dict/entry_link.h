// Links inside pages that Tavik itself follows: a word to search
// ("tavik:WORD") and a command of the window ("tavik-command:NAME"). The word
// is UTF-8, percent-encoded where it is not a plain ASCII letter, digit or one
// of "-._~"; a hand-made dictionary may also write it unencoded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace tavik {

inline constexpr std::string_view kEntryLinkScheme = "tavik:";
inline constexpr std::string_view kCommandLinkScheme = "tavik-command:";
inline constexpr std::string_view kAddDictionaryCommand = "add-dictionary";

// The href of a link that searches `word`.
std::string EntryLinkTarget(TextView word);

// The word of an entry link, trimmed; nothing when `href` is another kind of
// link or names no word.
std::optional<Text> EntryLinkWord(std::string_view href);

// The command of a command link; nothing for any other link.
std::optional<std::string> CommandLinkName(std::string_view href);

}  // namespace tavik
