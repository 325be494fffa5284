// Screen stand-ins that record what the search sends: used by the
// command-line tool and by the tests.
#pragma once

#include <optional>
#include <vector>

#include "dict/screen.h"

namespace tavik {

class RecordingNeighbourList : public NeighbourList {
public:
    void Reset() override;
    void Add(const Text& headword) override { m_items.push_back(headword); }
    int Count() const override { return int(m_items.size()); }
    Text Item(int index) const override;
    int Selection() const override { return m_selection; }
    void Select(int index) override;
    void Fill(std::vector<Text> headwords) override;
    // Without a copy of each item.
    int FindPrefix(TextView prefix) const override;

    const std::vector<Text>& Items() const { return m_items; }

private:
    std::vector<Text> m_items;
    int m_selection = -1;
};

class RecordingPage : public PageSink {
public:
    // A recorder that keeps only the joined page (`keepsPieces` false) copies
    // each piece once: a batch of thousands of pages needs no more.
    explicit RecordingPage(bool wantsCopyText = true, bool keepsPieces = true)
        : m_wantsCopyText(wantsCopyText), m_keepsPieces(keepsPieces) {}
    // The same, writing its pages into the room of `buffer`, whose text is
    // dropped: a batch hands each word's page buffer on to the next word.
    RecordingPage(bool wantsCopyText, bool keepsPieces, Text buffer)
        : m_wantsCopyText(wantsCopyText), m_keepsPieces(keepsPieces), m_buffer(std::move(buffer)) {
        m_buffer.clear();
    }

    void Clear() override;
    void AddText(const Text& html) override;
    void EndOfSource() override { ++m_endOfSourceCount; }
    void SetCopyText(const Text& plain) override { m_copyText = plain; }
    bool WantsCopyText() const override { return m_wantsCopyText; }

    // Everything sent since the last clear, pieces joined; nullopt before
    // the first clear.
    const std::optional<Text>& Page() const { return m_page; }
    // The pieces sent since the last clear, one by one (none when not kept).
    const std::vector<Text>& Pieces() const { return m_pieces; }
    int ClearCount() const { return m_clearCount; }
    int EndOfSourceCount() const { return m_endOfSourceCount; }
    const Text& CopyText() const { return m_copyText; }

    // The buffer of the page, for another recorder; this one is left with
    // no page.
    Text TakeBuffer();

private:
    bool m_wantsCopyText;
    bool m_keepsPieces;
    Text m_buffer;  // room for the first page
    std::optional<Text> m_page;
    std::vector<Text> m_pieces;
    int m_clearCount = 0;
    int m_endOfSourceCount = 0;
    Text m_copyText;
};

class RecordingMessages : public MessageSink {
public:
    void ShowMessage(const Text& text) override { m_messages.push_back(text); }
    const std::vector<Text>& Messages() const { return m_messages; }

private:
    std::vector<Text> m_messages;
};

class RecordingStatus : public StatusSink {
public:
    void ShowStatus(const Text& text) override { m_lines.push_back(text); }
    // Every status line in order; an empty one cleared it.
    const std::vector<Text>& Lines() const { return m_lines; }
    Text Last() const { return m_lines.empty() ? Text() : m_lines.back(); }

private:
    std::vector<Text> m_lines;
};

class RecordingSuggestions : public SuggestionSink {
public:
    void ShowSuggestions(const std::vector<Text>& words) override { m_shown.push_back(words); }
    // Every list shown, in order; an empty one took them away.
    const std::vector<std::vector<Text>>& Shown() const { return m_shown; }
    std::vector<Text> Last() const {
        return m_shown.empty() ? std::vector<Text>() : m_shown.back();
    }

private:
    std::vector<std::vector<Text>> m_shown;
};

}  // namespace tavik
