// Pages laid out with remembered word extents come out exactly as the
// toolkit's own window lays them out.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/fontenum.h>
#include <wx/frame.h>
#include <wx/html/htmlcell.h>

#include <string>
#include <vector>

#include "app/measured_html_window.h"
#include "app/measuring_dc.h"

namespace tavik {
namespace {

// Every cell of a laid-out page, in document order, with where it stands.
std::vector<std::string> Cells(const wxHtmlCell* cell) {
    std::vector<std::string> out;
    for (; cell; cell = cell->GetNext()) {
        out.push_back(std::string(wxString(cell->GetClassInfo()->GetClassName()).utf8_string()) +
                      " " + std::to_string(cell->GetPosX()) + "," +
                      std::to_string(cell->GetPosY()) + " " + std::to_string(cell->GetWidth()) +
                      "x" + std::to_string(cell->GetHeight()) + "/" +
                      std::to_string(cell->GetDescent()));
        const std::vector<std::string> inner = Cells(cell->GetFirstChild());
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

class MeasuredPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame = new wxFrame(nullptr, wxID_ANY, "pages", wxDefaultPosition, wxSize(900, 500));
        m_plain = new wxHtmlWindow(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(420, 400));
        m_measured = new MeasuredHtmlWindow(m_frame, wxID_ANY, wxPoint(440, 0), wxSize(420, 400));
        if (wxFontEnumerator::IsValidFacename("NanumGothic")) {
            m_plain->SetFonts("NanumGothic", "NanumGothicCoding");
            m_measured->SetFonts("NanumGothic", "NanumGothicCoding");
        }
        m_frame->Show();
    }
    void TearDown() override { m_frame->Destroy(); }

    void ExpectSameLayout(const wxString& page, const char* what) {
        m_plain->SetPage(page);
        m_measured->SetPage(page);
        const std::vector<std::string> expected = Cells(m_plain->GetInternalRepresentation());
        ASSERT_GT(expected.size(), 1u) << what;
        EXPECT_EQ(Cells(m_measured->GetInternalRepresentation()), expected) << what;
        EXPECT_EQ(m_measured->ToText(), m_plain->ToText()) << what;
        EXPECT_EQ(m_measured->GetVirtualSize(), m_plain->GetVirtualSize()) << what;
    }

    wxFrame* m_frame = nullptr;
    wxHtmlWindow* m_plain = nullptr;
    MeasuredHtmlWindow* m_measured = nullptr;
};

wxString Repeat(const wxString& piece, int times) {
    wxString out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST_F(MeasuredPageTest, PagesAreLaidOutAsTheToolkitLaysThemOut) {
    const struct {
        const char* what;
        wxString page;
    } pages[] = {
        {"an entry",
         "<html><body><font face=\"tahoma\" size=\"8\" color=#0000ff><b>run</b></font>&nbsp;&nbsp;"
         "<font color=#000000>" +
             Repeat("to move swiftly </font><font color=#ff0000>[1913 Webster]</font>"
                    "<font color=#000000> on foot<br><br>",
                    40) +
             "</font></body></html>"},
        {"Korean and mixed sizes",
         wxString::FromUTF8("<html><body><font size=7>사전</font> <font size=1>작은 글씨</font> "
                            "<i>기울임 italic</i> <u>밑줄</u> <s>취소</s> <tt>고정 fixed</tt>"
                            "</body></html>")},
        {"lists, tables and preformatted text",
         "<html><body><ol><li>one<li>two words</ol><table border=1><tr><td>a b</td>"
         "<td colspan=2>c d e</td></tr></table><pre>  kept\tas   it is</pre>"
         "<center><h1>Title</h1></center><p align=right>right side</p></body></html>"},
        {"one word too wide for the window",
         "<html><body>" + Repeat("x", 300) + " and after it</body></html>"},
    };
    for (const auto& page : pages) ExpectSameLayout(page.page, page.what);
    // Again, now with every word already measured.
    for (const auto& page : pages) ExpectSameLayout(page.page, page.what);
    EXPECT_GT(m_measured->MeasuredWords().Size(), 0u);
}

// An entry of `lines` numbered lines, long enough to be shown in two steps.
wxString LongEntry(int lines) {
    wxString page =
        "<html><body><font face=\"tahoma\" size=\"8\" color=#0000ff><b>run</b></font>&nbsp;"
        "<font color=#000000>";
    for (int i = 0; i < lines; ++i)
        page += wxString::Format(
            "%d. to move swiftly </font><font color=#ff0000>[1913 Webster]"
            "</font><font color=#000000> on foot<br>",
            i);
    return page + "</font></body></html>";
}

// The words of a laid-out page with where each stands on it (the cells
// that only change the colour or font show nothing).
std::vector<std::string> Words(const wxHtmlCell* cell) {
    std::vector<std::string> out;
    for (; cell; cell = cell->GetNext()) {
        const wxString word = cell->ConvertToText(nullptr);
        if (!cell->GetFirstChild() && !word.empty()) {
            const wxPoint at = cell->GetAbsPos();
            out.push_back(std::string(word.utf8_string()) + " " + std::to_string(at.x) + "," +
                          std::to_string(at.y));
        }
        const std::vector<std::string> inner = Words(cell->GetFirstChild());
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

TEST_F(MeasuredPageTest, ALongPageShowsItsTopFirstThenTheWholePageWhenIdle) {
    // Lines, and paragraphs that wrap.
    wxString paragraphs = "<html><body>";
    for (int i = 0; i < 150; ++i)
        paragraphs += wxString::Format("<p align=justify>%d. ", i) +
                      Repeat("words that wrap at the window's edge ", 4) + "</p>";
    for (const wxString& page : {LongEntry(400), paragraphs}) {
        ASSERT_GT(page.length(), MeasuredHtmlWindow::kTwoStepLength);
        m_plain->SetPage(page);
        m_measured->SetPage(page);
        ASSERT_TRUE(m_measured->PagePending());
        // The first part fills the window and stands where the whole page
        // puts it.
        const wxHtmlCell* firstPart = m_measured->GetInternalRepresentation();
        EXPECT_GT(firstPart->GetHeight(), m_measured->GetClientSize().y);
        const std::vector<std::string> shown = Words(firstPart);
        const std::vector<std::string> whole = Words(m_plain->GetInternalRepresentation());
        ASSERT_LT(shown.size(), whole.size() / 2);
        EXPECT_EQ(shown, std::vector<std::string>(whole.begin(), whole.begin() + shown.size()));

        wxTheApp->ProcessIdle();
        EXPECT_FALSE(m_measured->PagePending());
        EXPECT_EQ(Cells(m_measured->GetInternalRepresentation()),
                  Cells(m_plain->GetInternalRepresentation()));
        EXPECT_EQ(m_measured->GetVirtualSize(), m_plain->GetVirtualSize());
    }

    // A page that cannot be cut safely is laid out whole at once.
    const wxString table = "<html><body><table><tr><td>" + LongEntry(400) + "</td></tr></table>";
    m_plain->SetPage(table);
    m_measured->SetPage(table);
    EXPECT_FALSE(m_measured->PagePending());
    EXPECT_EQ(Cells(m_measured->GetInternalRepresentation()),
              Cells(m_plain->GetInternalRepresentation()));
}

TEST_F(MeasuredPageTest, WhatNeedsTheWholePageCompletesItFirst) {
    const wxString page = LongEntry(400);
    m_plain->SetPage(page);
    const wxString text = m_plain->ToText();
    ASSERT_TRUE(text.Contains("399. to move"));

    m_measured->SetPage(page);
    ASSERT_TRUE(m_measured->PagePending());
    EXPECT_EQ(m_measured->ToText(), text);
    EXPECT_FALSE(m_measured->PagePending());

    m_measured->SetPage(page);
    m_measured->SelectAll();
    EXPECT_EQ(m_measured->SelectionToText(), text);

    // A scroll down the page, as going back to a page does.
    m_measured->SetPage(page);
    m_measured->Scroll(0, 300);
    EXPECT_FALSE(m_measured->PagePending());
    EXPECT_EQ(m_measured->GetViewStart().y, 300);

    // A click, a key or the wheel on the page.
    for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_MOUSEWHEEL}) {
        m_measured->SetPage(page);
        wxMouseEvent mouse(type);
        mouse.SetEventObject(m_measured);
        m_measured->ProcessWindowEvent(mouse);
        EXPECT_FALSE(m_measured->PagePending()) << type;
    }
    // The click's button goes up again: the window lets go of the mouse.
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetEventObject(m_measured);
    m_measured->ProcessWindowEvent(up);
    if (m_measured->HasCapture()) m_measured->ReleaseMouse();
    m_measured->SetPage(page);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_END;
    key.SetEventObject(m_measured);
    m_measured->ProcessWindowEvent(key);
    EXPECT_FALSE(m_measured->PagePending());
}

TEST_F(MeasuredPageTest, ANewPageDropsTheRestOfTheOneBefore) {
    m_measured->SetPage(LongEntry(400));
    ASSERT_TRUE(m_measured->PagePending());
    m_measured->SetPage("<html><body>short</body></html>");
    EXPECT_FALSE(m_measured->PagePending());
    wxTheApp->ProcessIdle();
    EXPECT_EQ(m_measured->ToText(), "short");

    // A long page after a long page: only the second is completed.
    m_measured->SetPage(LongEntry(400));
    const wxString second = LongEntry(500);
    m_measured->SetPage(second);
    ASSERT_TRUE(m_measured->PagePending());
    wxTheApp->ProcessIdle();
    m_plain->SetPage(second);
    EXPECT_EQ(m_measured->ToText(), m_plain->ToText());
}

TEST_F(MeasuredPageTest, MeasuringGivesWhatTheWindowsContextGives) {
    wxClientDC real(m_measured);
    TextExtentCache cache;
    MeasuringDC measuring(real, cache);
    const wxFont base = m_measured->GetFont();
    const std::vector<wxFont> fonts = {base,
                                       base.Bold(),
                                       base.Italic(),
                                       base.Scaled(2.5f),
                                       base.Underlined(),
                                       wxFont(wxFontInfo(9).Family(wxFONTFAMILY_TELETYPE))};
    const std::vector<wxString> texts = {
        "word", " ", "", "two words", "tab\there", wxString::FromUTF8("사전"), wxString(L'W', 200)};
    for (int round = 0; round < 2; ++round) {
        for (const wxFont& font : fonts) {
            real.SetFont(font);
            measuring.SetFont(font);
            EXPECT_EQ(measuring.GetCharHeight(), real.GetCharHeight());
            EXPECT_EQ(measuring.GetCharWidth(), real.GetCharWidth());
            for (const wxString& text : texts) {
                wxCoord w = 0, h = 0, d = 0, e = 0;
                wxCoord mw = -1, mh = -1, md = -1, me = -1;
                real.GetTextExtent(text, &w, &h, &d, &e);
                measuring.GetTextExtent(text, &mw, &mh, &md, &me);
                EXPECT_EQ(wxSize(mw, mh), wxSize(w, h)) << text << " round " << round;
                EXPECT_EQ(md, d) << text;
                EXPECT_EQ(me, e) << text;
                // Another font named for one call is measured in that font.
                const wxFont other = font.Scaled(0.5f);
                real.GetTextExtent(text, &w, &h, nullptr, nullptr, &other);
                measuring.GetTextExtent(text, &mw, &mh, nullptr, nullptr, &other);
                EXPECT_EQ(wxSize(mw, mh), wxSize(w, h)) << text;
            }
        }
    }
}

TEST(TextExtentCacheTest, StaysWithinItsBoundAndForgetsAtAnotherResolution) {
    TextExtentCache cache(3);
    cache.Resolution(wxSize(96, 96), 1.0);
    const int font = cache.FontId("Sans 10");
    EXPECT_EQ(cache.FontId("Sans Bold 10"), font + 1);
    EXPECT_EQ(cache.FontId("Sans 10"), font);
    for (int i = 0; i < 7; ++i) {
        cache.Store(font, std::to_wstring(i), TextExtentCache::Extent{i, 1, 0, 0});
        EXPECT_LE(cache.Size(), 3u);
        ASSERT_NE(cache.Find(font, std::to_wstring(i)), nullptr);
        EXPECT_EQ(cache.Find(font, std::to_wstring(i))->width, i);
    }
    // The same text in another font is another answer.
    EXPECT_EQ(cache.Find(font + 1, L"6"), nullptr);
    cache.StoreCharSize(font, wxSize(7, 12));
    cache.Resolution(wxSize(96, 96), 1.0);
    EXPECT_NE(cache.Find(font, L"6"), nullptr);
    cache.Resolution(wxSize(192, 192), 2.0);
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_EQ(cache.Find(font, L"6"), nullptr);
    EXPECT_FALSE(cache.CharSize(font).has_value());
}

}  // namespace
}  // namespace tavik
