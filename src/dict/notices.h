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
    // The empty page before the first search while the user has no
    // dictionary of their own.
    kFirstStartNoDictionary,  // and then the Data folder
    kFirstStartInstalled,     // {0}: how many dictionaries can be added
    kFirstStartAddFrom,       // {0}: the link to the dialog
    kFirstStartOnlyBundled,
    kFirstStartAddToLookUp,  // {0}: the link to the dialog
    kAddDictionaryLink,
};

// The text of `id`, each "{n}" replaced by the n-th of `args`.
Text NoticeText(NoticeId id, std::initializer_list<TextView> args = {});

// What a notice's Korean text is shown as: the window installs its message
// catalogue here once, before its first page; a text it has no translation
// for stays as it is. Without one (the command line), the Korean texts stand.
using NoticeTranslation = Text (*)(TextView korean);
void SetNoticeTranslation(NoticeTranslation translate);
// `korean` as the installed translation shows it.
Text TranslatedText(TextView korean);

// Marks a Korean text of the sources for the message catalogue
// (scripts/update-po.sh).
#define TAVIK_NOTICE(text) text

}  // namespace tavik
