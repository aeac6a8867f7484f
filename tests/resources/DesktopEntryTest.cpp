#include <gtest/gtest.h>

#include <QStringList>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "filter/FileTypeFilter.h"
#include "mpris/ExtensionMimeTypes.h"

namespace {

// The keys of the entry's [Desktop Entry] group.
std::map<std::string, std::string> ReadEntry(const std::string& path) {
    std::ifstream file(path);
    std::map<std::string, std::string> keys;
    std::string line;
    bool inGroup = false;
    while (std::getline(file, line)) {
        if (!line.empty() && line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (inGroup && equals != std::string::npos)
            keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

TEST(DesktopEntryTest, StartsThePlayerWithItsIconAndCategories) {
    const auto keys = ReadEntry(QVRL_DESKTOP_ENTRY);
    EXPECT_EQ(keys.at("Type"), "Application");
    EXPECT_EQ(keys.at("Name"), "Quavrel");
    EXPECT_EQ(keys.at("Exec"), "qvrl %U");  // files and URIs from the file manager
    EXPECT_EQ(keys.at("Icon"), "quavrel");
    EXPECT_EQ(keys.at("Categories"), "AudioVideo;Audio;Player;");
}

TEST(DesktopEntryTest, ClaimsTheMediaTypesOfTheDefaultFilterListAndThePlayListTypes) {
    // The same types MPRIS reports for a new filter list, so the two never drift apart.
    QStringList expected = ExtensionMimeTypes(DefaultFilterList());
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_TRUE(expected.contains(QStringLiteral("audio/flac")));
    expected << PlayListMimeTypes();
    const auto keys = ReadEntry(QVRL_DESKTOP_ENTRY);
    EXPECT_EQ(keys.at("MimeType"),
              (expected.join(QLatin1Char(';')) + QLatin1Char(';')).toStdString());
    // A libtool archive ("la") is no media file, whatever the old list meant by it.
    EXPECT_FALSE(expected.contains(QStringLiteral("application/x-shared-library-la")));
}

}  // namespace
