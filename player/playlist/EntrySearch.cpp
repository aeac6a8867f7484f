#include "playlist/EntrySearch.h"

#include <algorithm>
#include <cstring>

#include "textfile/TextFold.h"

namespace {

// Where needle occurs in [from, from + size), or null (memmem: glibc's is vectorised).
const char* FindIn(const char* from, std::size_t size, const std::string& needle) {
    return static_cast<const char*>(memmem(from, size, needle.data(), needle.size()));
}

// Blanks and control bytes part words.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The file name of a path: what follows its last "/".
std::string_view FileName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Appends a field, folded, then a field separator; control bytes become blanks, so that no
// word (which holds no blank) runs across two fields or two entries.
void AppendField(std::string& text, std::string_view field) {
    const std::size_t from = text.size();
    AppendFolded(text, field);
    for (std::size_t i = from; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) < 0x20)
            text[i] = ' ';
    text += '\x1f';
}

}  // namespace

EntrySearch::EntrySearch(PlayList& list) : list_(list) {
    list_.AddObserver(this);
    Reset();
}

EntrySearch::~EntrySearch() {
    list_.RemoveObserver(this);
}

std::vector<std::string> EntrySearch::Words(std::string_view query) {
    const std::string folded = FoldForSearch(query);
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && IsBlank(folded[i]))
            ++i;
        std::size_t end = i;
        while (end < folded.size() && !IsBlank(folded[end]))
            ++end;
        if (end > i) {
            std::string word = folded.substr(i, end - i);
            if (std::find(words.begin(), words.end(), word) == words.end())
                words.push_back(std::move(word));
        }
        i = end;
    }
    return words;
}

const std::vector<int>& EntrySearch::Find(std::string_view query) {
    RefoldStale();
    std::vector<std::string> words = Words(query);
    // The longest word first: it is the rarest, so the others are tried on fewest entries.
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() > b.size();
    });
    if (lastValid_ && words == lastWords_)
        return matches_;
    const auto known = std::find_if(earlier_.begin(), earlier_.end(),
                                    [&](const Earlier& e) { return e.words == words; });
    if (lastValid_ && known != earlier_.end()) {
        Remember();
        matches_ = known->matches;
    } else if (lastValid_ && Narrows(words)) {
        Remember();
        SearchLast(words);
    } else {
        Remember();
        SearchAll(words);
    }
    lastWords_ = std::move(words);
    lastValid_ = true;
    return matches_;
}

void EntrySearch::Remember() {
    if (!lastValid_)
        return;
    if (std::any_of(earlier_.begin(), earlier_.end(),
                    [&](const Earlier& e) { return e.words == lastWords_; }))
        return;
    while (!earlier_.empty() && remembered_ + matches_.size() > kMostRemembered) {
        remembered_ -= earlier_.front().matches.size();
        earlier_.erase(earlier_.begin());
    }
    if (matches_.size() > kMostRemembered)
        return;
    remembered_ += matches_.size();
    earlier_.push_back({lastWords_, matches_});
}

bool EntrySearch::Narrows(const std::vector<std::string>& words) const {
    for (const std::string& old : lastWords_) {
        const bool kept = std::any_of(words.begin(), words.end(), [&](const std::string& word) {
            return word.find(old) != std::string::npos;
        });
        if (!kept)
            return false;
    }
    return true;
}

void EntrySearch::SearchAll(const std::vector<std::string>& words) {
    matches_.clear();
    const int count = list_.Count();
    if (words.empty()) {
        matches_.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            matches_[static_cast<std::size_t>(i)] = i;
        return;
    }
    // One pass over each block's text for the first word; only the entries it hits are tried
    // for the others.
    const std::string& first = words.front();
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const Block& block = blocks_[b];
        const char* text = block.text.data();
        const char* end = text + block.text.size();
        std::size_t entry = 0;
        const char* at = text;
        while (at < end) {
            const char* hit = FindIn(at, static_cast<std::size_t>(end - at), first);
            if (hit == nullptr)
                break;
            const auto offset = static_cast<std::uint32_t>(hit - text);
            while (entry + 1 < block.starts.size() && block.starts[entry + 1] <= offset)
                ++entry;
            const int index = static_cast<int>(b) * kBlockEntries + static_cast<int>(entry);
            if (Holds(index, words, 1))
                matches_.push_back(index);
            const std::uint32_t next = entry + 1 < block.starts.size()
                                           ? block.starts[entry + 1]
                                           : static_cast<std::uint32_t>(block.text.size());
            at = text + next;
            ++entry;
        }
    }
}

void EntrySearch::SearchLast(const std::vector<std::string>& words) {
    std::size_t kept = 0;
    for (const int index : matches_)
        if (Holds(index, words, 0))
            matches_[kept++] = index;
    matches_.resize(kept);
}

bool EntrySearch::Holds(int entry, const std::vector<std::string>& words, std::size_t from) const {
    const Block& block = blocks_[static_cast<std::size_t>(entry / kBlockEntries)];
    const std::size_t k = static_cast<std::size_t>(entry % kBlockEntries);
    const std::uint32_t begin = block.starts[k];
    const std::uint32_t end = k + 1 < block.starts.size()
                                  ? block.starts[k + 1]
                                  : static_cast<std::uint32_t>(block.text.size());
    for (std::size_t w = from; w < words.size(); ++w)
        if (FindIn(block.text.data() + begin, end - begin, words[w]) == nullptr)
            return false;
    return true;
}

void EntrySearch::Fold(int b) {
    Block& block = blocks_[static_cast<std::size_t>(b)];
    block.text.clear();
    block.starts.clear();
    const int first = b * kBlockEntries;
    const int last = std::min(list_.Count(), first + kBlockEntries) - 1;
    for (int i = first; i <= last; ++i) {
        const PlayListEntry& entry = list_.At(i);
        block.starts.push_back(static_cast<std::uint32_t>(block.text.size()));
        // A caption that is the file's name is in the path already.
        if (entry.Caption != FileName(entry.Path))
            AppendField(block.text, entry.Caption);
        if (const TrackTags* tags = entry.Tags.get()) {
            AppendField(block.text, tags->Title);
            AppendField(block.text, tags->Artist);
            AppendField(block.text, tags->Album);
        }
        AppendField(block.text, entry.Path);
    }
    block.text.shrink_to_fit();
    block.stale = false;
}

void EntrySearch::RefoldStale() {
    const std::size_t wanted =
        (static_cast<std::size_t>(list_.Count()) + kBlockEntries - 1) / kBlockEntries;
    blocks_.resize(wanted);
    for (std::size_t b = 0; b < blocks_.size(); ++b)
        if (blocks_[b].stale)
            Fold(static_cast<int>(b));
}

void EntrySearch::MarkStale(int first, int last) {
    lastValid_ = false;
    earlier_.clear();
    remembered_ = 0;
    if (first > last)
        return;
    const std::size_t from = static_cast<std::size_t>(std::max(first, 0) / kBlockEntries);
    const std::size_t to = static_cast<std::size_t>(last / kBlockEntries);
    if (blocks_.size() <= to)
        blocks_.resize(to + 1);
    for (std::size_t b = from; b <= to; ++b)
        blocks_[b].stale = true;
}

void EntrySearch::EntriesInserted(int first, int) {
    // Entries after an insertion move to other blocks: every block from there is refolded.
    MarkStale(first, std::max(first, list_.Count() - 1));
}

void EntrySearch::EntriesRemoved(int first, int) {
    MarkStale(first, std::max(first, list_.Count() - 1));
}

void EntrySearch::EntryMoved(int from, int to) {
    MarkStale(std::min(from, to), std::max(from, to));
}

void EntrySearch::EntriesChanged(int first, int last) {
    MarkStale(first, last);
}

void EntrySearch::Reset() {
    blocks_.clear();
    MarkStale(0, list_.Count() - 1);
}
