// One Tavik per user: the first start listens on a local socket, and a later
// start hands its word to it instead of opening a second window.
#pragma once

#include <wx/ipc.h>
#include <wx/snglinst.h>
#include <wx/string.h>

#include <functional>
#include <memory>

namespace tavik {

class InstanceLink {
public:
    InstanceLink();
    ~InstanceLink();

    // True when another Tavik of this user runs and took `word` (empty: it
    // only comes to the front); this start should then end.
    bool HandOver(const wxString& word);
    // Takes words from later starts; `onWord` runs on the window's thread.
    void Listen(std::function<void(const wxString& word)> onWord);

private:
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
    std::unique_ptr<wxServer> m_server;
};

}  // namespace tavik
