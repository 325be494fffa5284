// The running window takes words from later starts of its home, and peers
// that send too much or the wrong thing do not stop it.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/instance_link.h"
#include "app/window_fixture.h"
#include "config/home_folder.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

fs::path WindowSocket() {
    return fs::path(std::getenv("XDG_RUNTIME_DIR")) /
           ("tavik-" + HomeKey(theApp().m_strAppDir) + ".sock");
}

// Sends `bytes` on a connection of its own and waits for the window to close
// it (or for a time), while the window's loop runs.
void SendRaw(const std::string& bytes) {
    std::atomic<bool> done = false;
    std::thread peer([&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", WindowSocket().c_str());
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            timeval limit{5, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
            ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            for (size_t sent = 0; sent < bytes.size();) {
                const ssize_t n =
                    ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += size_t(n);
            }
            char answer[8];
            ::recv(fd, answer, sizeof answer, 0);
        }
        ::close(fd);
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    peer.join();
}

TEST_F(WindowTest, AStartOfTheSameHomeHandsItsWordOverAndHostilePeersCannotStopTheWindow) {
    ASSERT_TRUE(fs::exists(WindowSocket())) << WindowSocket();
    // The toolkit's own protocol: a length header claiming 2 GB.
    SendRaw(std::string("\x7F\xFF\xFF\xFF\x00\x00\x00\x01\x00\x00\x00\x00", 12));
    // A "word" of a megabyte.
    SendRaw("search:" + std::string(1 << 20, 'a'));

    std::atomic<int> taken = -1;
    std::thread later([&] { taken = SendWord(WindowSocket(), "zoo", std::chrono::seconds(5)); });
    PumpUntil([&] { return taken.load() >= 0; });
    later.join();
    EXPECT_EQ(taken.load(), 1);
    EXPECT_TRUE(PumpUntil([&] { return ShowsHeadword("zoo"); })) << Shown();
}

}  // namespace
}  // namespace tavik
