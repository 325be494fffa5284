// The hand-over of a word between two starts of Tavik over a local socket
// in the user's runtime folder.
#include "app/instance_link.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cstdlib>

namespace tavik {

namespace {

const wxString kTopic = "tavik-search";
// Prefixed so that an empty word (just come to the front) is a command too.
const wxString kCommand = "search:";

// $XDG_RUNTIME_DIR, private to the user; the temporary folder otherwise,
// where the user id in the names keeps users apart.
wxString RendezvousName(const wxString& suffix) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const wxString folder =
        runtime && runtime[0] == '/' ? wxString::FromUTF8(runtime) : wxFileName::GetTempDir();
    return folder + "/tavik-" + wxGetUserId() + suffix;
}

class WordConnection : public wxConnection {
public:
    explicit WordConnection(std::function<void(const wxString&)> onWord)
        : m_onWord(std::move(onWord)) {}
    bool OnExec(const wxString& /*topic*/, const wxString& data) override {
        if (!data.StartsWith(kCommand)) return false;
        const wxString word = data.Mid(kCommand.length());
        // Answer the other start first; the search may show a message box.
        wxTheApp->CallAfter([onWord = m_onWord, word] { onWord(word); });
        return true;
    }

private:
    std::function<void(const wxString&)> m_onWord;
};

class WordServer : public wxServer {
public:
    explicit WordServer(std::function<void(const wxString&)> onWord)
        : m_onWord(std::move(onWord)) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kTopic ? new WordConnection(m_onWord) : nullptr;
    }

private:
    std::function<void(const wxString&)> m_onWord;
};

}  // namespace

InstanceLink::InstanceLink() : m_checker(std::make_unique<wxSingleInstanceChecker>()) {
    wxFileName lock(RendezvousName(".lock"));
    m_checker->Create(lock.GetFullName(), lock.GetPath());
}

InstanceLink::~InstanceLink() = default;

bool InstanceLink::HandOver(const wxString& word) {
    if (!m_checker->IsAnotherRunning()) return false;
    wxLogNull quiet;
    // The running Tavik may still be starting up: give it a moment.
    for (int attempt = 0; attempt < 30; ++attempt) {
        wxClient client;
        std::unique_ptr<wxConnectionBase> connection(
            client.MakeConnection("localhost", RendezvousName(".sock"), kTopic));
        if (connection) {
            const bool taken = connection->Execute(kCommand + word);
            connection->Disconnect();
            if (taken) return true;
        }
        wxMilliSleep(100);
    }
    // It does not answer: this start opens a window of its own.
    return false;
}

void InstanceLink::Listen(std::function<void(const wxString& word)> onWord) {
    m_server = std::make_unique<WordServer>(std::move(onWord));
    wxLogNull quiet;
    // This start holds the lock, so a socket left behind is a crashed
    // start's and would keep the new one from binding.
    const wxString socket = RendezvousName(".sock");
    if (wxFileExists(socket) || wxFileName(socket).Exists()) wxRemoveFile(socket);
    if (!m_server->Create(socket)) m_server.reset();
}

}  // namespace tavik
