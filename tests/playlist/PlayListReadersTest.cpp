// The readers of the list forms other programs write, bytes in and records out, on lists as
// those programs write them.
#include <gtest/gtest.h>

#include "playlist/M3uReader.h"
#include "playlist/PlayListFormatError.h"
#include "playlist/PlsReader.h"
#include "playlist/QplReader.h"
#include "playlist/XspfReader.h"

namespace {

using Records = std::vector<PlayListRecord>;

TEST(M3uReaderTest, ReadsExtendedListsWithTheirTitlesAndSkipsCommentsAndBlankLines) {
    // As VLC writes it: a byte-order mark, LF ends, its own option lines, URIs.
    const Records vlc = M3uReader::Read(
        "\xEF\xBB\xBF#EXTM3U\n#EXTINF:215,Bj\xC3\xB6rk - "
        "J\xC3\xB3ga\n#EXTVLCOPT:network-caching=1000\n"
        "file:///home/u/Music/01%20J%C3%B3ga.flac\n\n  "
        "\n#EXTINF:-1,Radio\nhttp://radio.example/s\n");
    EXPECT_EQ(vlc,
              (Records{{"Bj\xC3\xB6rk - J\xC3\xB3ga", "file:///home/u/Music/01%20J%C3%B3ga.flac"},
                       {"Radio", "http://radio.example/s"}}));
    // Attributes may hold commas in quotes; a title is trimmed; a title is used once only.
    const Records attributes = M3uReader::Read(
        "#EXTM3U\r\n#EXTINF:-1 tvg-name=\"a,b\" group-title=\"x\", News \r\nnews.ts\r\nnext.mp3\r\n"
        "#EXTINF:12\r\nnocomma.mp3\r\n");
    EXPECT_EQ(attributes, (Records{{"News", "news.ts"}, {"", "next.mp3"}, {"", "nocomma.mp3"}}));
    // A plain list of the Windows program: every line is a path, CR ends lines too.
    EXPECT_EQ(M3uReader::Read("C:\\a.mp3\rb.wav\r"), (Records{{"", "C:\\a.mp3"}, {"", "b.wav"}}));
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
    EXPECT_EQ(records, (Records{{"First", "/home/u/Music/a.flac"},
                                {"Second", "Music/b.ogg"},
                                {"", "file:///home/u/c%20d.opus"}}));
    // Other sections, lines without "=" and odd keys are skipped; a CR LF file reads the same.
    EXPECT_EQ(PlsReader::Read("[other]\r\nFile1=/x.mp3\r\n[Playlist]\r\nnoise\r\nFileX=/y\r\n"
                              "File01=/z.mp3\r\nFile99999999999=/big\r\n"),
              (Records{{"", "/z.mp3"}}));
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
    EXPECT_EQ(records, (Records{{"Bj\xC3\xB6rk & Friends", "file:///home/u/Music/a%20b.flac"},
                                {"", "Relative Folder/c.ogg"},
                                {"No location", ""}}));
    // A namespace prefix changes nothing.
    EXPECT_EQ(XspfReader::Read("<x:playlist xmlns:x=\"http://xspf.org/ns/0/\"><x:trackList>"
                               "<x:track><x:location>/a.mp3</x:location></x:track>"
                               "</x:trackList></x:playlist>"),
              (Records{{"", "/a.mp3"}}));
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

}  // namespace
