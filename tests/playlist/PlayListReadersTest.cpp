// The readers of the list forms other programs write, bytes in and records out, on lists as
// those programs write them.
#include <gtest/gtest.h>

#include "playlist/AsxReader.h"
#include "playlist/M3uReader.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/PlsReader.h"
#include "playlist/QplReader.h"
#include "playlist/WplReader.h"
#include "playlist/XspfReader.h"

namespace {

using Records = std::vector<PlayListRecord>;
// Captions and paths only: how each form means its escapes is the path rules' concern.
using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs Of(const Records& records) {
    Pairs pairs;
    for (const PlayListRecord& record : records)
        pairs.emplace_back(record.Caption, record.Path);
    return pairs;
}

TEST(M3uReaderTest, ReadsExtendedListsWithTheirTitlesAndSkipsCommentsAndBlankLines) {
    // As VLC writes it: a byte-order mark, LF ends, its own option lines, URIs.
    const Records vlc = M3uReader::Read(
        "\xEF\xBB\xBF#EXTM3U\n#EXTINF:215,Bj\xC3\xB6rk - "
        "J\xC3\xB3ga\n#EXTVLCOPT:network-caching=1000\n"
        "file:///home/u/Music/01%20J%C3%B3ga.flac\n\n  "
        "\n#EXTINF:-1,Radio\nhttp://radio.example/s\n");
    EXPECT_EQ(Of(vlc),
              (Pairs{{"Bj\xC3\xB6rk - J\xC3\xB3ga", "file:///home/u/Music/01%20J%C3%B3ga.flac"},
                     {"Radio", "http://radio.example/s"}}));
    // Attributes may hold commas in quotes; a title is trimmed; a title is used once only.
    const Records attributes = M3uReader::Read(
        "#EXTM3U\r\n#EXTINF:-1 tvg-name=\"a,b\" group-title=\"x\", News \r\nnews.ts\r\nnext.mp3\r\n"
        "#EXTINF:12\r\nnocomma.mp3\r\n");
    EXPECT_EQ(Of(attributes), (Pairs{{"News", "news.ts"}, {"", "next.mp3"}, {"", "nocomma.mp3"}}));
    // A plain list of the Windows program: every line is a path, CR ends lines too.
    EXPECT_EQ(Of(M3uReader::Read("C:\\a.mp3\rb.wav\r")), (Pairs{{"", "C:\\a.mp3"}, {"", "b.wav"}}));
    // A title at the end with no entry after it makes nothing.
    EXPECT_TRUE(M3uReader::Read("#EXTM3U\n#EXTINF:1,Lost\n").empty());
}

TEST(QplReaderTest, ReadsTheOwnFormWithEveryLineEnd) {
    const Records expected{{"Song", "/m/a.mp3"}, {"", "/m/b.mp3"}};
    EXPECT_EQ(QplReader::Read("Quavrel v2.0 PlayList File\r\nSong\r\n/m/a.mp3\r\n\r\n/m/b.mp3\r\n"),
              expected);
    EXPECT_EQ(QplReader::Read("Quavrel v2.0 PlayList File\nSong\n/m/a.mp3\n\n/m/b.mp3\n"),
              expected);
    // It ends after a caption: the last path is empty.
    EXPECT_EQ(QplReader::Read("H\nSong\n/m/a.mp3\nlast"),
              (Records{{"Song", "/m/a.mp3"}, {"last", ""}}));
}

TEST(PlsReaderTest, ReadsEntriesInTheOrderOfTheirNumbers) {
    // As Strawberry and Rhythmbox write it, with the entries out of order here.
    const Records records = PlsReader::Read(
        "[playlist]\nFile2=Music/b.ogg\nTitle2=Second\nLength2=180\n"
        "File1=/home/u/Music/a.flac\nTitle1=First\nLength1=215\n"
        "file10=file:///home/u/c%20d.opus\nTitle11=No file\n"
        "NumberOfEntries=3\nVersion=2\n");
    EXPECT_EQ(Of(records), (Pairs{{"First", "/home/u/Music/a.flac"},
                                  {"Second", "Music/b.ogg"},
                                  {"", "file:///home/u/c%20d.opus"}}));
    // Other sections, lines without "=" and odd keys are skipped; a CR LF file reads the same.
    EXPECT_EQ(Of(PlsReader::Read("[other]\r\nFile1=/x.mp3\r\n[Playlist]\r\nnoise\r\nFileX=/y\r\n"
                                 "File01=/z.mp3\r\nFile99999999999=/big\r\n")),
              (Pairs{{"", "/z.mp3"}}));
    EXPECT_TRUE(PlsReader::Read("[playlist]\nNumberOfEntries=0\n").empty());
}

TEST(PlsReaderTest, TextWithoutItsSectionIsNoPlsList) {
    EXPECT_THROW(PlsReader::Read("File1=/a.mp3\n"), EPlayListFormatError);
    EXPECT_THROW(PlsReader::Read(""), EPlayListFormatError);
    EXPECT_THROW(PlsReader::Read("\x89PNG\r\n\x1A\n"), EPlayListFormatError);
}

TEST(XspfReaderTest, ReadsLocationsAndTitlesAsAudaciousWritesThem) {
    const Records records = XspfReader::Read(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">\n"
        "  <title>Mix</title>\n  <trackList>\n"
        "    <track>\n      <location>file:///home/u/Music/a%20b.flac</location>\n"
        "      <title>Bj\xC3\xB6rk &amp; Friends</title>\n      <creator>X</creator>\n"
        "      <duration>215000</duration>\n    </track>\n"
        "    <track><location>\n  Relative%20Folder/c.ogg\n</location></track>\n"
        "    <track><title>No location</title></track>\n"
        "  </trackList>\n</playlist>\n");
    EXPECT_EQ(Of(records), (Pairs{{"Bj\xC3\xB6rk & Friends", "file:///home/u/Music/a%20b.flac"},
                                  {"", "Relative%20Folder/c.ogg"},
                                  {"No location", ""}}));
    // A namespace prefix changes nothing.
    EXPECT_EQ(Of(XspfReader::Read("<x:playlist xmlns:x=\"http://xspf.org/ns/0/\"><x:trackList>"
                                  "<x:track><x:location>/a.mp3</x:location></x:track>"
                                  "</x:trackList></x:playlist>")),
              (Pairs{{"", "/a.mp3"}}));
    EXPECT_TRUE(XspfReader::Read("<playlist/>").empty());
}

TEST(XspfReaderTest, MalformedXmlOrAnotherDocumentIsOneClearError) {
    for (const char* bytes : {"", "<playlist><trackList><track>", "<playlist></plaything>",
                              "not xml at all", "<?xml version=\"1.0\"?><html><body/></html>"})
        EXPECT_THROW(XspfReader::Read(bytes), EPlayListFormatError) << bytes;
    // An external entity is never fetched: the file's text never reaches a record.
    try {
        for (const PlayListRecord& record : XspfReader::Read(
                 "<!DOCTYPE p [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                 "<playlist><trackList><track><location>&x;</location></track></trackList>"
                 "</playlist>"))
            EXPECT_EQ(record.Path.find("root:"), std::string::npos);
    } catch (const EPlayListFormatError&) {
    }
}

TEST(M3uReaderTest, VlcStartAndStopTimesMakeTheNextEntryAPartOfItsFile) {
    // As VLC writes a list holding a part of a file, and as we write CUE tracks.
    const Records records = M3uReader::Read(
        "#EXTM3U\n#EXTINF:180,Two\n#EXTVLCOPT:start-time=252.347\n#EXTVLCOPT:stop-time=510\n"
        "Album.flac\n#EXTVLCOPT:start-time=510\nAlbum.flac\nwhole.flac\n"
        "#EXTVLCOPT:start-time=9\n#EXTVLCOPT:stop-time=3\nbackwards.flac\n");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].StartMs, 252347);
    EXPECT_EQ(records[0].EndMs, 510000);
    EXPECT_EQ(records[0].Caption, "Two");
    EXPECT_EQ(records[1].StartMs, 510000);
    EXPECT_EQ(records[1].EndMs, -1);
    EXPECT_EQ(records[2].StartMs, 0);  // the options are the next entry's only
    EXPECT_EQ(records[2].EndMs, -1);
    EXPECT_EQ(records[3].StartMs, 0);  // a stop before the start is no part: the whole file
    EXPECT_EQ(records[3].EndMs, -1);
    for (const PlayListRecord& record : records)
        EXPECT_EQ(record.PathEscapes, PlayListRecord::Escapes::WrittenFirst);
}

TEST(XspfReaderTest, KeepsLocationsAsWrittenForThePathRulesAndReadsVlcTimes) {
    const Records records = XspfReader::Read(
        "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\" "
        "xmlns:vlc=\"http://www.videolan.org/vlc/playlist/ns/0/\"><trackList>"
        "<track><location>100%20Pure.opus</location>"
        "<extension application=\"http://www.videolan.org/vlc/playlist/0\">"
        "<vlc:id>0</vlc:id><vlc:option>start-time=12.5</vlc:option>"
        "<vlc:option>stop-time=30</vlc:option><vlc:option>network-caching=1000</vlc:option>"
        "</extension></track></trackList></playlist>");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Path, "100%20Pure.opus");
    EXPECT_EQ(records[0].PathEscapes, PlayListRecord::Escapes::DecodedFirst);
    EXPECT_EQ(records[0].StartMs, 12500);
    EXPECT_EQ(records[0].EndMs, 30000);
}

TEST(WplReaderTest, ReadsMediaSourcesAsWindowsMediaPlayerWritesThem) {
    const Records records = WplReader::Read(
        "<?wpl version=\"1.0\"?>\r\n<smil>\r\n    <head>\r\n"
        "        <meta name=\"Generator\" content=\"Microsoft Windows Media Player -- "
        "12.0.19041.1\"/>\r\n        <title>Rock &amp; Roll</title>\r\n    </head>\r\n"
        "    <body>\r\n        <seq>\r\n"
        "            <media src=\"..\\Music\\AC&apos;DC\\01 Back in Black.mp3\" "
        "albumTitle=\"Back in Black\" tid=\"{1}\"/>\r\n"
        "            <media src=\"C:\\Users\\u\\Music\\R&amp;B.wma\"/>\r\n"
        "            <Media SRC=\"Caf&#233; &#x26; Bar.mp3\"/>\r\n"
        "        </seq>\r\n    </body>\r\n</smil>\r\n");
    EXPECT_EQ(Of(records), (Pairs{{"", "..\\Music\\AC'DC\\01 Back in Black.mp3"},
                                  {"", "C:\\Users\\u\\Music\\R&B.wma"},
                                  {"", "Caf\xC3\xA9 & Bar.mp3"}}));
    EXPECT_TRUE(WplReader::Read("<SMIL><Body/></SMIL>").empty());
    for (const char* bytes : {"", "<smil><body><media src=\"a\"></body>", "<asx/>"})
        EXPECT_THROW(WplReader::Read(bytes), EPlayListFormatError) << bytes;
}

TEST(AsxReaderTest, ReadsEntriesInAnyLetterCaseWithTheirTitles) {
    const Records records = AsxReader::Read(
        "<ASX VERSION=\"3.0\">\r\n<TITLE>Mix</TITLE>\r\n"
        "<Entry><Title>Rock &amp; Roll</Title><Ref HREF=\"file:///home/u/a%20b.mp3\"/></Entry>\r\n"
        "<entry><ref href=\"Music\\c.wma\"/><ref href=\"second.wma\"/></entry>\r\n"
        "<ENTRYREF HREF=\"other.asx\"/>\r\n"
        "<entry><title>No ref</title></entry>\r\n</ASX>\r\n");
    EXPECT_EQ(
        Of(records),
        (Pairs{{"Rock & Roll", "file:///home/u/a%20b.mp3"}, {"", "Music\\c.wma"}, {"No ref", ""}}));
    for (const char* bytes : {"", "<asx><entry>", "<smil/>", "just text"})
        EXPECT_THROW(AsxReader::Read(bytes), EPlayListFormatError) << bytes;
}

}  // namespace
