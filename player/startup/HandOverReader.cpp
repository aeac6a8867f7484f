#include "startup/HandOverReader.h"

HandOverReader::State HandOverReader::Feed(std::string_view bytes) {
    if (state_ != State::Reading)
        return state_;
    if (bytes.size() > kMaxBytes - received_.size()) {
        state_ = State::Dropped;
        std::string().swap(received_);
        return state_;
    }
    received_.append(bytes);
    for (; scanned_ < received_.size(); ++scanned_) {
        if (received_[scanned_] != '\n')
            continue;
        if (nameEnd_ == std::string::npos) {
            nameEnd_ = scanned_;
        } else if (received_[scanned_ - 1] == '\n') {
            // Two line ends in a row after the name line; the name's own end counts as the
            // first, so a hand-over that starts with its empty line ends there.
            end_ = scanned_ + 1;
            received_.resize(end_);
            state_ = State::Complete;
            return state_;
        }
    }
    return state_;
}

HandOverReader::State HandOverReader::Close() {
    if (state_ == State::Reading) {
        state_ = nameEnd_ == std::string::npos ? State::Dropped : State::Complete;
        if (state_ == State::Dropped)
            std::string().swap(received_);
        end_ = received_.size();
    }
    return state_;
}

std::string_view HandOverReader::Name() const {
    if (state_ != State::Complete)
        return {};
    std::string_view name = std::string_view(received_).substr(0, nameEnd_);
    while (!name.empty() && (name.back() == '\r' || name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.remove_prefix(1);
    return name;
}

std::string_view HandOverReader::HandOver() const {
    if (state_ != State::Complete)
        return {};
    return std::string_view(received_).substr(nameEnd_ + 1, end_ - nameEnd_ - 1);
}
