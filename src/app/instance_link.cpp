// The hand-over of a word between two starts of one home over a local
// socket in a folder private to the user.
#include "app/instance_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/socket.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>

#include "app/wx_text.h"
#include "config/home_folder.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCommand = "search:";
constexpr std::string_view kAnswer = "ok\n";
// Starts that connect and say nothing must not pile up.
constexpr size_t kMaxOpenConnections = 8;

void Say(const std::string& text) { std::fprintf(stderr, "tavik: %s\n", text.c_str()); }

// A folder for private files: a real folder, the user's, closed to others.
std::string PrivateFolderProblem(const fs::path& folder, uid_t uid) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) return folder.string() + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return folder.string() + " is not a folder";
    if (info.st_uid != uid) return folder.string() + " belongs to another user";
    if (info.st_mode & (S_IRWXG | S_IRWXO)) return folder.string() + " is open to other users";
    return {};
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

// One try: connect, send, wait for the answer until `deadline`. nullopt
// when nothing listens yet (worth another try).
std::optional<bool> TrySend(const fs::path& socket, const std::string& message,
                            std::chrono::steady_clock::time_point deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socket.native().size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, socket.c_str(), socket.native().size());
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.Get() < 0) return false;
    if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ENOENT || errno == ECONNREFUSED) return std::nullopt;
        if (errno != EINPROGRESS && errno != EAGAIN) return false;
        pollfd ready{fd.Get(), POLLOUT, 0};
        if (::poll(&ready, 1, RemainingMs(deadline)) != 1) return false;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error) return false;
    }
    for (size_t sent = 0; sent < message.size();) {
        const ssize_t n =
            ::send(fd.Get(), message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd ready{fd.Get(), POLLOUT, 0};
        if (::poll(&ready, 1, RemainingMs(deadline)) != 1) return false;
    }
    std::string answer;
    while (answer.size() < kAnswer.size()) {
        pollfd ready{fd.Get(), POLLIN, 0};
        if (::poll(&ready, 1, RemainingMs(deadline)) != 1) return false;
        char buffer[8];
        const ssize_t n = ::recv(fd.Get(), buffer, kAnswer.size() - answer.size(), 0);
        if (n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR))) return false;
        if (n > 0) answer.append(buffer, size_t(n));
    }
    return answer == kAnswer;
}

}  // namespace

RendezvousFolder FindRendezvousFolder(const std::optional<fs::path>& runtimeFolder,
                                      const fs::path& tempFolder, uid_t uid) {
    if (runtimeFolder && runtimeFolder->is_absolute() &&
        PrivateFolderProblem(*runtimeFolder, uid).empty())
        return {*runtimeFolder, {}};
    const fs::path folder = tempFolder / ("tavik-" + std::to_string(uid));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, folder.string() + ": " + std::strerror(errno)};
    std::string problem = PrivateFolderProblem(folder, uid);
    if (!problem.empty()) return {{}, problem};
    return {folder, {}};
}

HandOverMessage::State HandOverMessage::Add(std::string_view bytes) {
    if (m_state != State::kIncomplete) return m_state;
    const size_t end = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, end);
    if (m_bytes.size() + piece.size() + 1 > kMaxHandOverBytes) {
        m_bytes.clear();
        return m_state = State::kRefused;
    }
    m_bytes.append(piece);
    const size_t known = std::min(m_bytes.size(), kCommand.size());
    if (m_bytes.compare(0, known, kCommand.substr(0, known)) != 0) {
        m_bytes.clear();
        return m_state = State::kRefused;
    }
    if (end == std::string_view::npos) return m_state;
    if (m_bytes.size() < kCommand.size()) return m_state = State::kRefused;
    m_word = m_bytes.substr(kCommand.size());
    m_bytes.clear();
    return m_state = State::kComplete;
}

std::string HandOverText(std::string_view word) {
    std::string text(kCommand);
    for (char c : word) text += c == '\n' || c == '\r' ? ' ' : c;
    return text + '\n';
}

bool SendWord(const fs::path& socket, std::string_view word, std::chrono::milliseconds timeout) {
    const std::string message = HandOverText(word);
    if (message.size() > kMaxHandOverBytes) return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // The running Tavik may still be starting: it holds the lock but has
    // not made its socket yet.
    for (;;) {
        if (const auto taken = TrySend(socket, message, deadline)) return *taken;
        if (RemainingMs(deadline) == 0) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(50, RemainingMs(deadline))));
    }
}

// The listening side, driven by the window's event loop.
class WordListener : public wxEvtHandler {
public:
    WordListener(std::function<void(const wxString&)> onWord) : m_onWord(std::move(onWord)) {
        Bind(wxEVT_SOCKET, &WordListener::OnSocket, this);
    }
    ~WordListener() override {
        for (Connection& connection : m_connections) connection.socket->Destroy();
        if (m_server) m_server->Destroy();
    }

    bool Start(const fs::path& socket) {
        wxUNIXaddress address;
        address.Filename(socket.string());
        m_server = new wxSocketServer(address, wxSOCKET_NOWAIT);
        if (!m_server->IsOk()) {
            m_server->Destroy();
            m_server = nullptr;
            return false;
        }
        m_server->SetEventHandler(*this);
        m_server->SetNotify(wxSOCKET_CONNECTION_FLAG);
        m_server->Notify(true);
        return true;
    }

private:
    struct Connection {
        wxSocketBase* socket;
        HandOverMessage message;
    };

    void OnSocket(wxSocketEvent& event) {
        wxSocketBase* socket = event.GetSocket();
        if (socket == m_server) {
            Accept();
            return;
        }
        auto it = std::find_if(m_connections.begin(), m_connections.end(),
                               [&](const Connection& c) { return c.socket == socket; });
        if (it == m_connections.end()) return;
        if (event.GetSocketEvent() == wxSOCKET_INPUT && Read(*it)) return;
        it->socket->Destroy();
        m_connections.erase(it);
    }

    void Accept() {
        wxSocketBase* socket = m_server->Accept(false);
        if (!socket) return;
        if (m_connections.size() >= kMaxOpenConnections) {
            m_connections.front().socket->Destroy();
            m_connections.pop_front();
        }
        socket->SetFlags(wxSOCKET_NOWAIT);
        socket->SetEventHandler(*this);
        socket->SetNotify(wxSOCKET_INPUT_FLAG | wxSOCKET_LOST_FLAG);
        socket->Notify(true);
        m_connections.push_back({socket, {}});
    }

    // False when the connection is done with.
    bool Read(Connection& connection) {
        char buffer[4096];
        for (;;) {
            connection.socket->Read(buffer, sizeof buffer);
            const size_t count = connection.socket->LastReadCount();
            if (count == 0)
                return !connection.socket->Error() ||
                       connection.socket->LastError() == wxSOCKET_WOULDBLOCK;
            switch (connection.message.Add(std::string_view(buffer, count))) {
                case HandOverMessage::State::kIncomplete:
                    continue;
                case HandOverMessage::State::kRefused:
                    return false;
                case HandOverMessage::State::kComplete: {
                    connection.socket->Write(kAnswer.data(), kAnswer.size());
                    const wxString word = wxString::FromUTF8(connection.message.Word());
                    // Answer the other start first; the search may show a
                    // message box.
                    wxTheApp->CallAfter([onWord = m_onWord, word] { onWord(word); });
                    return false;
                }
            }
        }
    }

    std::function<void(const wxString&)> m_onWord;
    wxSocketServer* m_server = nullptr;
    std::deque<Connection> m_connections;
};

InstanceLink::InstanceLink(const fs::path& home) {
    std::optional<fs::path> runtime;
    if (const char* folder = std::getenv("XDG_RUNTIME_DIR"); folder && *folder) runtime = folder;
    std::error_code ignored;
    const RendezvousFolder place =
        FindRendezvousFolder(runtime, fs::temp_directory_path(ignored), ::geteuid());
    if (place.folder.empty()) {
        Say("no hand-over to a running Tavik: " + place.problem);
        return;
    }
    const std::string name = "tavik-" + HomeKey(home);
    m_socket = place.folder / (name + ".sock");
    m_lock = place.folder / (name + ".lock");
    m_lockFile = ::open(m_lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_lockFile < 0) {
        Say("no hand-over to a running Tavik: " + m_lock.string() + ": " + std::strerror(errno));
        m_socket.clear();
        return;
    }
    if (::flock(m_lockFile, LOCK_EX | LOCK_NB) != 0) {
        m_anotherRunning = errno == EWOULDBLOCK;
        if (!m_anotherRunning)
            Say("no hand-over to a running Tavik: " + m_lock.string() + ": " +
                std::strerror(errno));
        ::close(m_lockFile);
        m_lockFile = -1;
    }
}

InstanceLink::~InstanceLink() {
    m_listener.reset();
    if (m_lockFile >= 0) {
        std::error_code ignored;
        fs::remove(m_socket, ignored);
        ::close(m_lockFile);
    }
}

bool InstanceLink::HandOver(const wxString& word) {
    if (!m_anotherRunning || m_socket.empty()) return false;
    const wxScopedCharBuffer utf8 = word.utf8_str();
    if (SendWord(m_socket, std::string_view(utf8.data(), utf8.length()), std::chrono::seconds(1)))
        return true;
    Say("the running Tavik did not answer; opening a window of its own");
    return false;
}

void InstanceLink::Listen(std::function<void(const wxString& word)> onWord) {
    // Only the start that holds the lock listens: a socket it finds is a
    // crashed start's and would keep it from binding.
    if (m_lockFile < 0) return;
    std::error_code ignored;
    fs::remove(m_socket, ignored);
    m_listener = std::make_unique<WordListener>(std::move(onWord));
    if (!m_listener->Start(m_socket)) {
        m_listener.reset();
        Say("cannot make the socket " + m_socket.string() +
            ": later starts will open windows of their own");
    }
}

}  // namespace tavik
