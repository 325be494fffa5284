// One Tavik per home: the first start listens on a local socket, and a later
// start of the same home hands its word to it instead of opening a second
// window. The socket and its lock live in a folder only the user can enter.
#pragma once

#include <sys/types.h>
#include <wx/event.h>
#include <wx/string.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavik {

// The folder for the rendezvous, or why there is none.
struct RendezvousFolder {
    std::filesystem::path folder;  // empty: no hand-over this time
    std::string problem;
};

// $XDG_RUNTIME_DIR when it is an absolute folder of the user's that no one
// else may enter; otherwise `<tempFolder>/tavik-<uid>`, made 0700 when
// missing and used only when it is a real folder (not a link) owned by
// `uid` that no one else may enter.
RendezvousFolder FindRendezvousFolder(const std::optional<std::filesystem::path>& runtimeFolder,
                                      const std::filesystem::path& tempFolder, uid_t uid);

// The largest message a later start may send: a word, not a page.
inline constexpr size_t kMaxHandOverBytes = 16 * 1024;

// One message of the hand-over as it arrives in pieces: "search:WORD\n".
// What goes past the bound, or does not start as it must, is refused before
// anything more is kept.
class HandOverMessage {
public:
    enum class State { kIncomplete, kComplete, kRefused };
    State Add(std::string_view bytes);
    State Current() const { return m_state; }
    // The word, UTF-8, once complete.
    const std::string& Word() const { return m_word; }

private:
    std::string m_bytes;
    std::string m_word;
    State m_state = State::kIncomplete;
};

// The message that carries `word` (UTF-8): line breaks become spaces.
std::string HandOverText(std::string_view word);

// Sends `word` to the Tavik listening on `socket`; true when it took the word
// before `timeout` ran out (connecting included).
bool SendWord(const std::filesystem::path& socket, std::string_view word,
              std::chrono::milliseconds timeout);

class WordListener;

class InstanceLink {
public:
    // The rendezvous of the home `home`; problems are said on standard error
    // and only cost the hand-over.
    explicit InstanceLink(const std::filesystem::path& home);
    ~InstanceLink();

    // True when another Tavik of this home runs and took `word` (empty: it
    // only comes to the front); this start should then end. A Tavik that
    // does not answer within a second is left alone.
    bool HandOver(const wxString& word);
    // Takes words from later starts; `onWord` runs on the window's thread.
    void Listen(std::function<void(const wxString& word)> onWord);

    // Where the socket is (or would be); empty without a rendezvous folder.
    const std::filesystem::path& SocketPath() const { return m_socket; }

private:
    std::filesystem::path m_socket;
    std::filesystem::path m_lock;
    int m_lockFile = -1;  // held while this start may listen
    bool m_anotherRunning = false;
    std::unique_ptr<WordListener> m_listener;
};

}  // namespace tavik
