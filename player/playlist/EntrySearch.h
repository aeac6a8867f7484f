#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/PlayList.h"

// Finds play list entries by what a user types into "Jump to File": an entry matches when
// every typed word (in any order) is found in its caption, title, artist, album or path,
// without regard to letter case or accents (TextFold). The entries' folded texts are kept in
// blocks of a few thousand entries; a change of the list refolds only the blocks it touched,
// when the next search runs. A query that only adds to the last one (more letters, another
// word) searches the last matches only, so typing a word costs one pass over the texts for its
// first letter and less for every letter after. Watches the list from construction to
// destruction; the list must outlive it. User-interface thread (the list's).
class EntrySearch final : private PlayListObserver {
public:
    explicit EntrySearch(PlayList& list);
    ~EntrySearch() override;
    EntrySearch(const EntrySearch&) = delete;
    EntrySearch& operator=(const EntrySearch&) = delete;

    // The indexes of the matching entries, ascending; every entry for a query of no words.
    // Valid until the next call or change of the list.
    const std::vector<int>& Find(std::string_view query);

    // The typed words as they are compared: folded, split at blanks, each once.
    static std::vector<std::string> Words(std::string_view query);

private:
    static constexpr int kBlockEntries = 4096;
    struct Block {
        std::string text;                   // each entry's fields, folded, each ended by 0x1f
        std::vector<std::uint32_t> starts;  // where each entry's text begins in text
        bool stale = true;
    };

    void EntriesInserted(int first, int count) override;
    void EntriesRemoved(int first, int count) override;
    void EntryMoved(int from, int to) override;
    void EntriesChanged(int first, int last) override;
    void FocusChanged(int, int) override {}
    void Reset() override;

    void MarkStale(int first, int last);
    void RefoldStale();
    void Fold(int block);
    // Whether every entry that matches words also matched the last query's words.
    bool Narrows(const std::vector<std::string>& words) const;
    void SearchAll(const std::vector<std::string>& words);
    void SearchLast(const std::vector<std::string>& words);
    bool Holds(int entry, const std::vector<std::string>& words, std::size_t from) const;

    PlayList& list_;
    std::vector<Block> blocks_;
    // The queries typed before, each with its matches, so taking letters back costs nothing;
    // forgotten when the list changes, and kept within kMostRemembered indexes in all.
    static constexpr std::size_t kMostRemembered = 4'000'000;
    struct Earlier {
        std::vector<std::string> words;
        std::vector<int> matches;
    };
    std::vector<Earlier> earlier_;
    std::size_t remembered_ = 0;
    void Remember();
    std::vector<std::string> lastWords_;
    bool lastValid_ = false;  // matches_ holds the matches of lastWords_ on the list as it is
    std::vector<int> matches_;
};
