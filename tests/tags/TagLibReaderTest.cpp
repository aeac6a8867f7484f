#include "tags/TagLibReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/TaggedFiles.h"
#include "support/TempDir.h"

namespace {

// One container as ffmpeg writes it, and which fields its tags carry there.
struct FormatRow {
    const char* label;
    TaggedFile file;
    bool albumArtist = true;
    bool disc = true;
    bool genre = true;
    bool year = true;
    bool length = true;
};

std::ostream& operator<<(std::ostream& out, const FormatRow& row) {
    return out << row.label;
}

std::string Show(const std::optional<TrackTags>& tags) {
    if (!tags)
        return "nothing";
    return "title '" + tags->Title + "' artist '" + tags->Artist + "' album '" + tags->Album +
           "' album artist '" + tags->AlbumArtist + "' genre '" + tags->Genre + "' track " +
           std::to_string(tags->Track) + " disc " + std::to_string(tags->Disc) + " year " +
           std::to_string(tags->Year) + " length " + std::to_string(tags->LengthMs);
}

class TagLibReaderFormatTest : public ::testing::TestWithParam<FormatRow> {
protected:
    TempDir dir_;
    TagLibReader reader_;
};

TEST_P(TagLibReaderFormatTest, ReadsTheTagsAndLengthFfmpegWrote) {
    const FormatRow& row = GetParam();
    const std::string path = WriteTagged(dir_.Path().string(), row.file);
    const std::optional<TrackTags> tags = reader_.Read(path);
    SCOPED_TRACE(Show(tags));
    ASSERT_TRUE(tags);
    EXPECT_EQ(tags->Title, "T\xC3\xAEtle");
    EXPECT_EQ(tags->Artist, "\xC3\x84rtist");
    EXPECT_EQ(tags->Album, "Album");
    EXPECT_EQ(tags->Track, 3);
    if (row.year)
        EXPECT_EQ(tags->Year, 2001);
    if (row.albumArtist)
        EXPECT_EQ(tags->AlbumArtist, "Album Artist");
    if (row.disc)
        EXPECT_EQ(tags->Disc, 2);
    if (row.genre)
        EXPECT_EQ(tags->Genre, "Jazz");
    if (row.length)
        EXPECT_NEAR(static_cast<double>(tags->LengthMs), 1000.0, 80.0);
    EXPECT_FALSE(tags->HasCover);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TagLibReaderFormatTest,
    ::testing::Values(
        FormatRow{"Flac", {"a.flac", {"-c:a", "flac"}}},
        FormatRow{"Mp3Id3v24", {"a.mp3", {"-c:a", "libmp3lame"}}},
        FormatRow{"Mp3Id3v23", {"a.mp3", {"-c:a", "libmp3lame", "-id3v2_version", "3"}}},
        FormatRow{"OggVorbis", {"a.ogg", {"-c:a", "libvorbis"}}},
        FormatRow{"Opus", {"a.opus", {"-c:a", "libopus"}}},
        FormatRow{"Speex", {"a.spx", {"-c:a", "libspeex"}}},
        // TagLib finds no length in ffmpeg's Ogg FLAC: the media device tells it at play.
        FormatRow{"OggFlac", {"a.oga", {"-c:a", "flac"}}, true, true, true, true, false},
        FormatRow{"M4aAac", {"a.m4a", {"-c:a", "aac"}}},
        FormatRow{"M4aAlac", {"b.m4a", {"-c:a", "alac"}}},
        // ffmpeg stores the date as an attribute of its own name, which TagLib does not map.
        FormatRow{"Wma", {"a.wma", {"-c:a", "wmav2"}}, true, true, true, false},
        FormatRow{"WavPack", {"a.wv", {"-c:a", "wavpack"}}},
        FormatRow{"WavInfo", {"a.wav", {"-c:a", "pcm_s16le"}}, false, false},
        FormatRow{"AiffId3", {"a.aiff", {"-c:a", "pcm_s16be", "-write_id3v2", "1"}}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace

namespace {

class TagLibReaderTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        return dir_.Write(name, bytes);
    }
    std::string Tagged(TaggedFile file) { return WriteTagged(dir_.Path().string(), file); }

    TempDir dir_;
    TagLibReader reader_;
};

// An ID3v1 tag by hand: 128 bytes at the end of the file, fields padded with NULs.
std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& year, unsigned char track, unsigned char genre) {
    const auto field = [](std::string text, std::size_t size) {
        text.resize(size, '\0');
        return text;
    };
    std::string tag = "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) +
                      field(year, 4) + field("", 28);
    tag += '\0';
    tag += static_cast<char>(track);
    tag += static_cast<char>(genre);
    return tag;
}

// The file without its ID3v2 tag at the front (ffmpeg writes ID3v1 only beside one).
std::string WithoutId3v2(const std::string& bytes) {
    if (bytes.size() < 10 || bytes.compare(0, 3, "ID3") != 0)
        return bytes;
    std::size_t size = 0;
    for (int i = 6; i < 10; ++i)
        size = (size << 7) | (static_cast<unsigned char>(bytes[i]) & 0x7F);
    return bytes.substr(10 + size);
}

TEST_F(TagLibReaderTest, ReadsId3v1OnlyMp3s) {
    const std::string both = Tagged({"v1.mp3", {"-c:a", "libmp3lame", "-write_id3v1", "1"}});
    const std::string path = Write("v1only.mp3", WithoutId3v2(TempDir::Read(both)));
    ASSERT_NE(TempDir::Read(path).compare(0, 3, "ID3"), 0);
    const std::optional<TrackTags> tags = reader_.Read(path);
    ASSERT_TRUE(tags);
    EXPECT_EQ(tags->Title, "T\xC3\xAEtle");
    EXPECT_EQ(tags->Artist, "\xC3\x84rtist");
    EXPECT_EQ(tags->Album, "Album");
    EXPECT_EQ(tags->Year, 2001);
    EXPECT_EQ(tags->Track, 3);
    EXPECT_EQ(tags->Genre, "Jazz");
    EXPECT_EQ(tags->AlbumArtist, "");  // ID3v1 has no such field
    EXPECT_NEAR(static_cast<double>(tags->LengthMs), 1000.0, 80.0);
}

TEST_F(TagLibReaderTest, ReadsSingleByteTagsAsWindows1252) {
    // An old tagger's ID3v1 in the Windows code page: o with diaeresis, an en dash, the euro.
    const std::string path =
        Tagged({"plain.mp3", {"-c:a", "libmp3lame", "-id3v2_version", "0"}, {}});
    std::string bytes = TempDir::Read(path);
    bytes += Id3v1("Bj\xF6rk \x96 Live", "Caf\xE9", "\x80uro", "1997", 7, 8);
    const std::optional<TrackTags> tags = reader_.Read(Write("cp1252.mp3", bytes));
    ASSERT_TRUE(tags);
    EXPECT_EQ(tags->Title, "Bj\xC3\xB6rk \xE2\x80\x93 Live");
    EXPECT_EQ(tags->Artist, "Caf\xC3\xA9");
    EXPECT_EQ(tags->Album,
              "\xE2\x82\xAC"
              "uro");
    EXPECT_EQ(tags->Year, 1997);
    EXPECT_EQ(tags->Track, 7);
    EXPECT_EQ(tags->Genre, "Jazz");
}

TEST_F(TagLibReaderTest, TagsNeverCarryLineEnds) {
    const std::string path =
        Tagged({"lines.flac", {"-c:a", "flac"}, {"title=One\r\nTwo\tThree", "artist=\n"}});
    const std::optional<TrackTags> tags = reader_.Read(path);
    ASSERT_TRUE(tags);
    EXPECT_EQ(tags->Title, "One  Two Three");
    EXPECT_EQ(tags->Artist, "");
}

TEST_F(TagLibReaderTest, FindsTheEmbeddedCover) {
    const std::string picture = WritePicture(dir_.Path().string(), "cover.png");
    const std::string png = TempDir::Read(picture);
    for (const auto& [name, codec] : std::vector<std::pair<std::string, std::string>>{
             {"c.flac", "flac"}, {"c.mp3", "libmp3lame"}, {"c.m4a", "aac"}}) {
        SCOPED_TRACE(name);
        TaggedFile file{name, {"-c:a", codec}};
        file.Cover = picture;
        const std::string path = Tagged(file);
        const std::optional<TrackTags> tags = reader_.Read(path);
        ASSERT_TRUE(tags);
        EXPECT_TRUE(tags->HasCover);
        EXPECT_EQ(tags->Title, "T\xC3\xAEtle");
        const std::optional<CoverPicture> cover = reader_.ReadCover(path);
        ASSERT_TRUE(cover);
        EXPECT_EQ(cover->MimeType, "image/png");
        EXPECT_EQ(cover->Bytes, png);
    }
    EXPECT_FALSE(reader_.ReadCover(Tagged({"none.flac", {"-c:a", "flac"}})));
}

TEST_F(TagLibReaderTest, GivesNothingForWhatIsNoMediaFile) {
    EXPECT_FALSE(reader_.Read(dir_.File("missing.mp3")));
    std::filesystem::create_directory(dir_.File("folder.flac"));
    EXPECT_FALSE(reader_.Read(dir_.File("folder.flac")));
    EXPECT_FALSE(reader_.Read(Write("empty.mp3", "")));
    // A FIFO with no writer: an open that waited would hang here.
    const std::string fifo = dir_.File("pipe.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(reader_.Read(fifo));
    EXPECT_FALSE(reader_.ReadCover(fifo));
    // A device under a media name: /dev/zero would read forever.
    std::filesystem::create_symlink("/dev/zero", dir_.File("zero.ogg"));
    EXPECT_FALSE(reader_.Read(dir_.File("zero.ogg")));
    // Types TagLib does not read, though they may play.
    const std::string flac = Tagged({"real.flac", {"-c:a", "flac"}});
    std::filesystem::copy_file(flac, dir_.File("renamed.mid"));
    EXPECT_FALSE(reader_.Read(dir_.File("renamed.mid")));
}

TEST_F(TagLibReaderTest, SurvivesGarbageAndCutFiles) {
    std::string noise;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525 + 1013904223;
        noise += static_cast<char>(seed >> 24);
    }
    const std::vector<std::string> extensions = {"mp3", "flac", "ogg", "opus", "spx", "m4a",
                                                 "wma", "wv",   "ape", "mpc",  "wav", "aiff",
                                                 "tta", "mod",  "s3m", "it",   "xm"};
    for (const std::string& extension : extensions) {
        SCOPED_TRACE(extension);
        const std::optional<TrackTags> tags = reader_.Read(Write("noise." + extension, noise));
        if (tags)  // whatever garbage says, it says it in clean text
            EXPECT_EQ(tags->Title.find('\n'), std::string::npos);
        reader_.ReadCover(dir_.File("noise." + extension));
    }
    // Real files cut short at every few hundred bytes, and with their heads torn off.
    for (const auto& [name, codec] :
         std::vector<std::pair<std::string, std::string>>{{"cut.flac", "flac"},
                                                          {"cut.mp3", "libmp3lame"},
                                                          {"cut.m4a", "aac"},
                                                          {"cut.ogg", "libvorbis"},
                                                          {"cut.wma", "wmav2"},
                                                          {"cut.wv", "wavpack"}}) {
        const std::string whole = TempDir::Read(Tagged({name, {"-c:a", codec}}));
        for (std::size_t size = 1; size < whole.size(); size += 397) {
            SCOPED_TRACE(name + " at " + std::to_string(size));
            reader_.Read(Write("short-" + name, whole.substr(0, size)));
            reader_.Read(Write("tail-" + name, whole.substr(size)));
        }
    }
}

}  // namespace
