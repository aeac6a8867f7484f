#include "services/SharedText.h"

#include <mutex>
#include <ostream>
#include <unordered_set>

namespace {

struct Table {
    std::mutex lock;
    // Nodes never move, so a pointer to a text stays valid for the life of the process.
    std::unordered_set<std::string> texts;
};

Table& TheTable() {
    static Table* table = new Table;  // never destroyed: texts outlive every static object
    return *table;
}

const std::string* Intern(std::string_view text) {
    Table& table = TheTable();
    const std::lock_guard<std::mutex> guard(table.lock);
    return &*table.texts.emplace(text).first;
}

}  // namespace

SharedText::SharedText() {
    static const std::string* const empty = Intern({});
    text_ = empty;
}

SharedText::SharedText(std::string_view text) : text_(Intern(text)) {}

std::ostream& operator<<(std::ostream& out, const SharedText& text) {
    return out << text.Str();
}
