#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the running copy reads from one later start: its name line, then the hand-over up to its
// closing empty line (CommandLine::EncodeHandOver). Reading is linear in the bytes received:
// each byte is looked at once, however the message is cut into pieces. A message larger than
// kMaxBytes is no hand-over a start sends (that is some forty thousand full paths): it is
// dropped, and the connection should be closed.
class HandOverReader {
public:
    static constexpr std::size_t kMaxBytes = std::size_t{16} << 20;

    enum class State {
        Reading,   // more is to come
        Complete,  // the name line and the closing empty line have arrived
        Dropped    // past kMaxBytes before its end, or closed before its name line: nothing kept
    };

    // Takes the next bytes; returns the state after them. Bytes after completion are ignored.
    State Feed(std::string_view bytes);
    // The other end went away: a message whose name line arrived counts as complete with what
    // came of its hand-over (an older start sends its name alone); else there is nothing.
    State Close();
    State Current() const { return state_; }

    // Once Complete: the name line without its line end, and what followed it (up to and with
    // the closing empty line, or what arrived before the close).
    std::string_view Name() const;
    std::string_view HandOver() const;

private:
    std::string received_;
    std::size_t nameEnd_ = std::string::npos;  // the first "\n"
    std::size_t end_ = std::string::npos;      // just past the closing empty line
    std::size_t scanned_ = 0;                  // bytes looked at
    State state_ = State::Reading;
};
