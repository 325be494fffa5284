// The window tests' shared fixture: the one application object's window,
// its controls, and a driver for the modal dialogs it opens.
#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/toolbar.h>

#include <deque>
#include <functional>
#include <vector>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/prompts.h"
#include "app/tavik_app.h"
#include "app/tavik_view.h"

namespace tavik {

// Stands in for the user at each modal dialog, in the order they open. A
// dialog nobody expected is not shown: its run answers Cancel and the test
// fails.
class DialogDriver : public wxModalDialogHook {
public:
    // `act` runs once the dialog shows, inside its modal run, and must close
    // it.
    void WhenShown(std::function<void(wxDialog&)> act) { m_steps.push_back({std::move(act), {}}); }
    // The dialog is not shown; its run returns what `answer` says.
    void Answer(std::function<int(wxDialog&)> answer) {
        m_steps.push_back({{}, std::move(answer)});
    }
    bool AllUsed() const { return m_steps.empty(); }
    void Reset() { m_steps.clear(); }

protected:
    int Enter(wxDialog* dialog) override {
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected dialog \"" << dialog->GetTitle() << "\"";
            return wxID_CANCEL;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (step.answer) return step.answer(*dialog);
        dialog->CallAfter([dialog, act = std::move(step.act)] {
            act(*dialog);
            if (dialog->IsModal()) {
                ADD_FAILURE() << "dialog \"" << dialog->GetTitle() << "\" left open";
                dialog->EndModal(wxID_CANCEL);
            }
        });
        return wxID_NONE;
    }
    void Exit(wxDialog* /*dialog*/) override {}

private:
    struct Step {
        std::function<void(wxDialog&)> act;
        std::function<int(wxDialog&)> answer;
    };
    std::deque<Step> m_steps;
};

inline DialogDriver g_dialogs;

inline std::vector<wxString> g_messages;

// A click on the button `id` of `dialog`, as the toolkit reports it.
inline void PressDialogButton(wxDialog& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

inline void Pump() {
    for (int i = 0; i < 10; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

// Focus and synthetic key strokes go through the X server, which answers
// late on a busy machine (sanitizer builds, tests run in parallel): pump until
// `done` holds or a generous time has passed.
template <typename Condition>
bool PumpUntil(Condition done) {
    for (int i = 0; i < 100 && !done(); ++i) Pump();
    return done();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        Pump();
    }
    void TearDown() override {
        EXPECT_TRUE(g_dialogs.AllUsed()) << "a dialog the test drove was not shown";
        g_dialogs.Reset();
    }
    CTavikView& View() { return *theApp().View(); }
    CMainFrame& Frame() { return *dynamic_cast<CMainFrame*>(wxTheApp->GetTopWindow()); }
    template <typename T>
    T& Control(int id) {
        return *dynamic_cast<T*>(View().Form()->FindWindow(id));
    }
    wxComboBox& SearchEdit() { return Control<wxComboBox>(kIdSearchEdit); }
    wxChoice& Neighbours() { return Control<wxChoice>(kIdSearchList); }
    wxString Shown() { return View().HtmlView()->ShownSource(); }

    void Type(const wxString& text) {
        SearchEdit().ChangeValue(text);
        Pump();
    }
    // Enter pressed with `target` focused, as the toolkit delivers it.
    void PressEnter(wxWindow& target) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_RETURN;
        key.SetEventObject(&target);
        target.ProcessWindowEvent(key);
        Pump();
    }
    void Click(int id) {
        wxWindow* button = View().Form()->FindWindow(id);
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->ProcessWindowEvent(event);
        Pump();
    }
    void Menu(CommandId id) {
        wxCommandEvent event(wxEVT_MENU, WxId(id));
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        Pump();
    }
    void Pick(int index) {
        Neighbours().SetSelection(index);
        wxCommandEvent event(wxEVT_CHOICE, kIdSearchList);
        event.SetEventObject(&Neighbours());
        event.SetInt(index);
        Neighbours().ProcessWindowEvent(event);
        Pump();
    }
    bool MenuEnabled(CommandId id) {
        wxMenuBar* bar = Frame().GetMenuBar();
        for (size_t i = 0; i < bar->GetMenuCount(); ++i) bar->GetMenu(i)->UpdateUI(&Frame());
        return bar->IsEnabled(WxId(id));
    }
    bool ToolEnabled(CommandId id) {
        Frame().GetToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
        return Frame().GetToolBar()->GetToolEnabled(WxId(id));
    }
    bool ShowsHeadword(const char* headword) {
        return Shown().Contains(wxString("<b>") + headword + "</b>");
    }
};

}  // namespace tavik
