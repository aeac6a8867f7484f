// Stream addresses and the cleaning of what a station says about itself: whatever bytes come,
// the text shown is UTF-8, without control characters, and no longer than asked.
#include <gtest/gtest.h>

#include "media/StreamText.h"
#include "playlist/RemoteList.h"
#include "textfile/TextEncoding.h"

namespace {

TEST(StreamTextTest, OnlyHttpAndHttpsAddressesAreStreams) {
    for (const char* address : {"http://radio.example/live", "HTTPS://x/y.mp3", "Http://h"})
        EXPECT_TRUE(StreamText::IsStreamAddress(address)) << address;
    for (const char* path :
         {"http://", "https:/x", "/music/http://x", "file:///a.mp3", "ftp://x/y", "", "httpx://y"})
        EXPECT_FALSE(StreamText::IsStreamAddress(path)) << path;
}

TEST(StreamTextTest, CleaningKeepsTextAndMakesGarbageSafe) {
    EXPECT_EQ(StreamText::Clean("Artist - Song", 200), "Artist - Song");
    EXPECT_EQ(StreamText::Clean("  A\t\r\n\x01\x1b[31mB  ", 200), "A [31mB");
    EXPECT_EQ(StreamText::Clean("Caf\xe9", 200), "Caf\xc3\xa9") << "Windows-1252 read as such";
    EXPECT_EQ(StreamText::Clean("\xc2\x85"
                                "x\x7f",
                                200),
              "x")
        << "C1 controls and DEL";
    // Cut at a character, never inside one.
    const std::string accents(300, 'a');
    EXPECT_EQ(StreamText::Clean(accents, 10), std::string(10, 'a'));
    const std::string twoByte = "\xc3\xa9\xc3\xa9\xc3\xa9";
    EXPECT_EQ(StreamText::Clean(twoByte, 5), "\xc3\xa9\xc3\xa9");
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>(i * 7919 % 256);
    const std::string clean = StreamText::Clean(garbage, 200);
    EXPECT_LE(clean.size(), 200u);
    EXPECT_TRUE(IsValidUtf8(clean));
    for (unsigned char c : clean)
        EXPECT_TRUE(c >= 0x20 && c != 0x7F);
}

TEST(StreamTextTest, StationAndTitleJoinWhatIsThere) {
    EXPECT_EQ(StreamText::StationAndTitle("Radio", "Song", 200), "Radio - Song");
    EXPECT_EQ(StreamText::StationAndTitle("", "Song", 200), "Song");
    EXPECT_EQ(StreamText::StationAndTitle("Radio", " \x01 ", 200), "Radio");
    EXPECT_EQ(StreamText::StationAndTitle("", "", 200), "");
    EXPECT_LE(StreamText::StationAndTitle(std::string(150, 'r'), std::string(150, 't'), 200).size(),
              200u);
}

TEST(RemoteListTest, PlayListAddressesGoByThePathsExtension) {
    EXPECT_TRUE(RemoteList::IsPlayListAddress("http://h/list.m3u"));
    EXPECT_TRUE(RemoteList::IsPlayListAddress("https://h/a/radio.PLS?sid=1#x"));
    EXPECT_TRUE(RemoteList::IsPlayListAddress("http://h/x.xspf"));
    EXPECT_FALSE(RemoteList::IsPlayListAddress("http://h/live.mp3"));
    EXPECT_FALSE(RemoteList::IsPlayListAddress("http://h/stream?format=.m3u"));
    EXPECT_FALSE(RemoteList::IsPlayListAddress("/local/list.m3u"));
}

TEST(RemoteListTest, AListGivesItsStreamsAndTheListsItNamesButNoLocalFiles) {
    const auto m3u = RemoteList::Read("http://h/l.m3u",
                                      "#EXTM3U\r\n#EXTINF:-1,Jazz\r\nhttp://h/jazz\r\n"
                                      "/etc/passwd\r\nfile:///home/x.mp3\r\n  https://h/b  \r\n"
                                      "http://h/l.m3u\r\n");
    ASSERT_EQ(m3u.streams.size(), 2u);
    EXPECT_EQ(m3u.streams[0].Path, "http://h/jazz");
    EXPECT_EQ(m3u.streams[1].Path, "https://h/b");
    EXPECT_EQ(m3u.lists, std::vector<std::string>{"http://h/l.m3u"});
    const auto pls = RemoteList::Read(
        "http://h/r.pls", "[playlist]\nFile1=http://h/one\nTitle1=One FM\nNumberOfEntries=1\n");
    ASSERT_EQ(pls.streams.size(), 1u);
    EXPECT_EQ(pls.streams[0].Caption, "One FM");
    for (const char* bytes : {"", "\xff\xfe<html>", "<playlist><trackList><track>"})
        EXPECT_TRUE(RemoteList::Read("http://h/x.xspf", bytes).streams.empty());
}

}  // namespace
