// The path rules every list form shares: URIs, relative paths, lists made on Windows and their
// encoding, on real temporary folders.
#include "playlist/ListPathResolver.h"

#include <gtest/gtest.h>

#include "playlist/FileUri.h"
#include "support/TempDir.h"

namespace {

TEST(FileUriTest, DecodesFileUrisAndRefusesEveryOtherScheme) {
    EXPECT_EQ(FileUriPath("file:///home/u/a%20b.flac"), "/home/u/a b.flac");
    EXPECT_EQ(FileUriPath("FILE://localhost/x/%C3%B6.ogg"), "/x/\xC3\xB6.ogg");
    EXPECT_EQ(FileUriPath("file:/x/y.mp3"), "/x/y.mp3");
    EXPECT_EQ(FileUriPath("file:///x/%E9.mp3"), "/x/\xE9.mp3");  // bytes, not UTF-8
    EXPECT_EQ(FileUriPath("file:///x/a.mp3?t=1#frag"), "/x/a.mp3");
    EXPECT_EQ(FileUriPath("file:///x/100%.mp3"), "/x/100%.mp3");
    EXPECT_EQ(FileUriPath("file://server/share/a.mp3"), std::nullopt);
    EXPECT_EQ(FileUriPath("file:relative.mp3"), std::nullopt);
    EXPECT_EQ(FileUriPath("file://"), std::nullopt);
    EXPECT_EQ(FileUriPath("http://example.com/a.mp3"), std::nullopt);
    EXPECT_TRUE(HasUriScheme("http://x"));
    EXPECT_TRUE(HasUriScheme("svn+ssh:x"));
    EXPECT_FALSE(HasUriScheme("C:\\music\\a.mp3"));
    EXPECT_FALSE(HasUriScheme("music/a:b.mp3"));
    EXPECT_FALSE(HasUriScheme("/abs/path"));
    const std::string bytes("a b/\xE9\n%\0z", 9);
    EXPECT_EQ(PercentEncode(bytes), "a%20b/%E9%0A%25%00z");
    EXPECT_EQ(PercentDecode(PercentEncode(bytes)), bytes);
}

using Escapes = PlayListRecord::Escapes;

class ListPathResolverTest : public ::testing::Test {
protected:
    std::string Media(const std::string& name) { return dir_.Write("list/" + name, "RIFF"); }
    std::optional<std::string> Resolve(const std::string& written, bool utf8Only = false) {
        return ListPathResolver(dir_.File("list"), utf8Only).Resolve(written);
    }
    std::optional<std::string> Resolve(const std::string& written, Escapes escapes) {
        return ListPathResolver(dir_.File("list"), escapes == Escapes::DecodedFirst)
            .Resolve(written, escapes);
    }

    TempDir dir_;
};

TEST_F(ListPathResolverTest, ResolvesRelativePathsAndUrisAndRefusesWhatNamesNoLocalFile) {
    const std::string a = Media("sub/a.mp3");
    EXPECT_EQ(Resolve("sub/a.mp3"), a);
    EXPECT_EQ(Resolve("./sub/../sub/a.mp3"), a);
    EXPECT_EQ(Resolve("/abs/x.mp3"), "/abs/x.mp3");
    EXPECT_EQ(Resolve("missing.mp3"), dir_.File("list/missing.mp3"));  // the view refuses it
    EXPECT_EQ(Resolve("file://" + PercentEncode(a)), a);
    EXPECT_EQ(Resolve(""), std::nullopt);
    // A stream's address is its own path; other schemes name nothing here.
    EXPECT_EQ(Resolve("http://radio.example/stream"), "http://radio.example/stream");
    EXPECT_EQ(Resolve("ftp://radio.example/stream"), std::nullopt);
    EXPECT_EQ(Resolve("file:///x/%00y.mp3"), std::nullopt);
    EXPECT_EQ(Resolve("C:\\Music\\a.mp3"), std::nullopt);
    EXPECT_EQ(Resolve("d:/Music/a.mp3"), std::nullopt);
    EXPECT_EQ(Resolve("\\Music\\a.mp3"), std::nullopt);
}

TEST_F(ListPathResolverTest, MatchesWindowsPathsComponentByComponentWithoutLetterCase) {
    const std::string song = Media("Music/Bj\xC3\xB6rk/01 J\xC3\xB3ga.mp3");
    EXPECT_EQ(Resolve("Music\\Bj\xC3\xB6rk\\01 J\xC3\xB3ga.mp3"), song);
    EXPECT_EQ(Resolve("MUSIC\\bj\xC3\xB6rk\\01 j\xC3\xB3GA.MP3"), song);
    EXPECT_EQ(Resolve("music\\BJ\xC3\x96RK\\01 J\xC3\x93GA.mp3"), song);  // Latin-1 capitals
    // In Windows-1252, as the Windows program writes it.
    EXPECT_EQ(Resolve("MUSIC\\BJ\xD6RK\\01 J\xD3GA.MP3"), song);
    EXPECT_EQ(Resolve(".\\music\\..\\Music\\bj\xF6rk\\01 j\xF3ga.mp3"), song);
    // What matches nothing is handed on as written with "/", and the view refuses it.
    EXPECT_EQ(Resolve("Music\\Nobody\\x.mp3"), dir_.File("list/Music/Nobody/x.mp3"));
    // A Linux name may hold a "\": the bytes as they stand come first.
    const std::string odd = Media("odd\\name.mp3");
    EXPECT_EQ(Resolve("odd\\name.mp3"), odd);
}

TEST_F(ListPathResolverTest, TriesWindows1252OnlyWhenTheBytesNameNothing) {
    const std::string latin = Media("Caf\xE9.mp3");  // a name that is not UTF-8 plays as it is
    const std::string utf8 = Media("Caf\xC3\xA9 2.mp3");
    EXPECT_EQ(Resolve("Caf\xE9.mp3"), latin);
    EXPECT_EQ(Resolve("Caf\xE9 2.mp3"), utf8);
    // Text that is not UTF-8 comes from Windows: its letter case does not count either.
    EXPECT_EQ(Resolve("CAF\xC9 2.MP3"), utf8);
    EXPECT_EQ(Resolve("Caf\xE9 3.mp3"), dir_.File("list/Caf\xE9 3.mp3"));
    // A list that is UTF-8 by its form gets no second reading.
    EXPECT_EQ(Resolve("Caf\xE9 2.mp3", true), dir_.File("list/Caf\xE9 2.mp3"));
}

TEST_F(ListPathResolverTest, EscapesInM3uLinesAreTriedAsWrittenThenDecoded) {
    // VLC writes a file beside its list as a relative URI reference.
    const std::string bjork = Media("Bj\xC3\xB6rk \xE2\x80\x93 J\xC3\xB3ga.flac");
    EXPECT_EQ(Resolve("Bj%C3%B6rk%20%E2%80%93%20J%C3%B3ga.flac", Escapes::WrittenFirst), bjork);
    EXPECT_EQ(Resolve(bjork, Escapes::WrittenFirst), bjork);
    // A name that holds a literal "%20" is what it says, even beside the decoded name.
    const std::string literal = Media("100%20Pure.opus");
    Media("100 Pure.opus");
    EXPECT_EQ(Resolve("100%20Pure.opus", Escapes::WrittenFirst), literal);
    // Decoded bytes that are not UTF-8 are a Windows-1252 name, as other lines are.
    const std::string cafe = Media("Caf\xC3\xA9.mp3");
    EXPECT_EQ(Resolve("Caf%E9.mp3", Escapes::WrittenFirst), cafe);
    // Where neither names a file, the line as written is handed on (and refused).
    EXPECT_EQ(Resolve("no%20such.mp3", Escapes::WrittenFirst), dir_.File("list/no%20such.mp3"));
    EXPECT_EQ(Resolve("x%00y.mp3", Escapes::WrittenFirst), dir_.File("list/x%00y.mp3"));
    // The own form never decodes: the Windows program took its lines as they stand.
    EXPECT_EQ(Resolve("Bj%C3%B6rk%20%E2%80%93%20J%C3%B3ga.flac"),
              dir_.File("list/Bj%C3%B6rk%20%E2%80%93%20J%C3%B3ga.flac"));
    // A URI is decoded as a URI, whatever the form.
    const std::string spaced = Media("a b.mp3");
    EXPECT_EQ(Resolve("file://" + PercentEncode(spaced), Escapes::WrittenFirst), spaced);
}

TEST_F(ListPathResolverTest, XspfLocationsAreDecodedUnlessOnlyTheRawTextNamesAFile) {
    const std::string spaced = Media("Relative Folder/c.ogg");
    EXPECT_EQ(Resolve("Relative%20Folder/c.ogg", Escapes::DecodedFirst), spaced);
    // Some writers put raw names in <location>: a literal "%20" wins where only it exists.
    const std::string literal = Media("100%20Pure.opus");
    EXPECT_EQ(Resolve("100%20Pure.opus", Escapes::DecodedFirst), literal);
    EXPECT_EQ(Resolve("file://" + dir_.File("list/100%20Pure.opus"), Escapes::DecodedFirst),
              literal);
    // Where both exist the decoded one is meant.
    const std::string decoded = Media("100 Pure.opus");
    EXPECT_EQ(Resolve("100%20Pure.opus", Escapes::DecodedFirst), decoded);
    // Where neither exists, the decoded path is handed on.
    EXPECT_EQ(Resolve("gone%20away.ogg", Escapes::DecodedFirst), dir_.File("list/gone away.ogg"));
    EXPECT_EQ(Resolve("file:///x/%00y.mp3", Escapes::DecodedFirst), std::nullopt);
    // A stream's address is its entry's path as written, escapes and all.
    EXPECT_EQ(Resolve("http://radio.example/a%20b", Escapes::DecodedFirst),
              "http://radio.example/a%20b");
}

}  // namespace
