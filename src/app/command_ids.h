// Command and control identifiers of the main window.
#pragma once

namespace tavik {

// Controls of the main form.
enum ControlId : int {
    kIdSearchButton = 1001,
    kIdHiddenEdit = 1002,
    kIdSearchEdit = 1004,
    kIdSearchList = 1006,
    kIdListUp = 1008,
    kIdListDown = 1009,
    kIdSearchStatic = 1010,
    kIdSearchListStatic = 1011,
    kIdSelectDicList = 1012,
    kIdSelectDicStatic = 1014,
    kIdHtmlView = 12321,
};

// Commands of the menu, the toolbar and the accelerators.
enum CommandId : int {
    kCmdWordBook = 32774,
    kCmdRecentWord = 32775,
    kCmdListUp = 32776,
    kCmdListDown = 32777,
    kCmdAddWordBook = 32785,
    kCmdSelectDic = 32787,
    kCmdAddWordBookButton = 32788,
    kCmdWordBookButton = 32789,
    kCmdRecentWordButton = 32790,
    kCmdZoomIn = 32791,
    kCmdZoomOut = 32792,
    kCmdZoomReset = 32793,
    kCmdSelectAll = 32794,
    kCmdSearchSelection = 32795,
    kCmdLanguageKorean = 32796,
    kCmdLanguageEnglish = 32797,
    kCmdSearchAsYouType = 32820,
    kCmdEditCopy = 57634,
    kCmdEditCut = 57635,
    kCmdEditPaste = 57637,
    kCmdEditUndo = 57643,
    kCmdAppAbout = 57664,
    kCmdAppExit = 57665,
};

// 사전 추가: a named id, clear of the numbered commands.
int AddDictionaryCommandId();

// The toolkit takes window and command ids below 32767 only: commands keep
// their numbers above and are handed to it shifted down by this much, which
// keeps them clear of the control ids and of the toolkit's own range.
inline constexpr int kWxCommandOffset = 0x7000;
constexpr int WxId(CommandId command) { return int(command) - kWxCommandOffset; }

// The resource name of the main form in the XRC resources.
inline constexpr char kMainFormResource[] = "101";

}  // namespace tavik
