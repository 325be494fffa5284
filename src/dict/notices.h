// The texts the search shows about itself, on the page and in the status
// line. Korean is their source language; each has an id, so that a
// translation can stand in for the text of the table.
#pragma once

#include <initializer_list>

#include "text/text.h"

namespace tavik {

enum class NoticeId {
    // Page headings and lines about a dictionary that cannot be read; {0} is
    // the file.
    kDictionaryUnusableTitle,
    kDictionaryMissing,
    kDictionaryIsFolder,
    kDictionaryNotRegular,
    kDictionaryUnreadable,  // {1}: the system's reason
    kDictionaryEmpty,
    kChooseAnotherDictionary,
    // The page of an empty Data folder; {0} is the folder.
    kNoDictionaryTitle,
    kNoDictionaryWhere,
    kNoDictionaryFormat,
    kNoDictionaryImport,
    kNoDictionaryImportExample,
    kNoDictionaryChoose,
    // Status lines.
    kStatusDictionaryUnusable,  // {0}: the file
    kStatusNoDictionary,        // {0}: the Data folder
    kStatusWordNotFound,        // {0}: the word, {1}: the headword shown
    kStatusNothingFound,        // {0}: the word
    kStatusSkinMissing,         // {0}: the skin file
    kStatusSkinUnusable,        // {0}: the skin file
};

// The text of `id`, each "{n}" replaced by the n-th of `args`.
Text NoticeText(NoticeId id, std::initializer_list<TextView> args = {});

}  // namespace tavik
