#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

// A text held once for the life of the process and shared wherever it appears: a type name
// such as "MP3 audio" is the same for thousands of play list entries, so each keeps a pointer
// (8 bytes) rather than a copy of its own. Made from a string, the text is looked up in a
// process-wide table that only grows, so make these from texts that repeat (type names), never
// from per-entry text such as paths. Copying is free; equal texts are the same pointer.
// Thread-safe.
class SharedText {
public:
    SharedText();  // the empty text
    SharedText(std::string_view text);
    SharedText(const std::string& text) : SharedText(std::string_view(text)) {}
    SharedText(const char* text) : SharedText(std::string_view(text)) {}

    const std::string& Str() const { return *text_; }
    operator const std::string&() const { return *text_; }
    bool empty() const { return text_->empty(); }

    bool operator==(const SharedText& other) const { return text_ == other.text_; }
    bool operator==(std::string_view other) const { return *text_ == other; }
    bool operator==(const std::string& other) const { return *text_ == other; }
    bool operator==(const char* other) const { return *text_ == other; }

private:
    const std::string* text_;
};

std::ostream& operator<<(std::ostream& out, const SharedText& text);
