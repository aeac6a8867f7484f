// CUE sheets as rippers and players write them, with the quirks their readers trip over: bytes
// in, the tracks' files, times, titles and performers out.
#include "playlist/CueReader.h"

#include <gtest/gtest.h>

#include "playlist/PlayListFormatError.h"

namespace {

struct Track {
    std::string caption, performer, path;
    std::int64_t startMs, endMs;
    bool operator==(const Track&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Track& t) {
    return out << '{' << t.caption << '|' << t.performer << '|' << t.path << '|' << t.startMs << '-'
               << t.endMs << '}';
}

std::vector<Track> Tracks(std::string_view sheet) {
    std::vector<Track> tracks;
    for (const PlayListRecord& r : CueReader::Read(sheet)) {
        EXPECT_EQ(r.PathEscapes, PlayListRecord::Escapes::AsWritten);
        tracks.push_back({r.Caption, r.Performer, r.Path, r.StartMs, r.EndMs});
    }
    return tracks;
}

TEST(CueReaderTest, ReadsASheetAsExactAudioCopyWritesIt) {
    // CR LF ends, REM lines, a pregap (INDEX 00) before track 2, WAVE for the file's type.
    const std::string sheet =
        "REM GENRE Electronic\r\nREM DATE 1997\r\nREM DISCID 8A0B5C0B\r\n"
        "REM COMMENT \"ExactAudioCopy v1.6\"\r\nCATALOG 0731453948822\r\n"
        "PERFORMER \"Bj\xC3\xB6rk\"\r\nTITLE \"Homogenic\"\r\n"
        "FILE \"Bj\xC3\xB6rk - Homogenic.wav\" WAVE\r\n"
        "  TRACK 01 AUDIO\r\n    TITLE \"Hunter\"\r\n    PERFORMER \"Bj\xC3\xB6rk\"\r\n"
        "    ISRC GBAAA9700001\r\n    INDEX 01 00:00:00\r\n"
        "  TRACK 02 AUDIO\r\n    TITLE \"J\xC3\xB3ga\"\r\n    SONGWRITER \"Bj\xC3\xB6rk\"\r\n"
        "    FLAGS DCP\r\n    INDEX 00 04:12:50\r\n    INDEX 01 04:15:00\r\n"
        "  TRACK 03 AUDIO\r\n    TITLE \"Unravel\"\r\n    PREGAP 00:02:00\r\n"
        "    INDEX 01 09:20:37\r\n    POSTGAP 00:01:00\r\n";
    EXPECT_EQ(Tracks(sheet),
              (std::vector<Track>{
                  {"Hunter", "Bj\xC3\xB6rk", "Bj\xC3\xB6rk - Homogenic.wav", 0, 255000},
                  {"J\xC3\xB3ga", "Bj\xC3\xB6rk", "Bj\xC3\xB6rk - Homogenic.wav", 255000, 560493},
                  {"Unravel", "Bj\xC3\xB6rk", "Bj\xC3\xB6rk - Homogenic.wav", 560493, -1}}));
}

TEST(CueReaderTest, ToleratesWhatOtherProgramsAndHandsWrite) {
    // A byte-order mark, LF ends, lower case, names without quotes, m:ss:ff, no final newline.
    EXPECT_EQ(Tracks("\xEF\xBB\xBF"
                     "performer Someone\nfile album.flac flac\ntrack 1 audio\ntitle One\n"
                     "index 1 0:00:00\ntrack 2 audio\nindex 01 3:05:74"),
              (std::vector<Track>{{"One", "Someone", "album.flac", 0, 185987},
                                  {"Track 02", "Someone", "album.flac", 185987, -1}}));
    // CR alone ends lines too (an old Mac sheet); a name with blanks and no quotes and no type.
    EXPECT_EQ(Tracks("FILE My Album.ape\rTRACK 01 AUDIO\rINDEX 01 00:00:00\r"),
              (std::vector<Track>{{"Track 01", "", "My Album.ape", 0, -1}}));
    // Windows-1252 bytes stay as they are: the loader reads them.
    EXPECT_EQ(Tracks("FILE \"Caf\xE9.wav\" WAVE\nTRACK 01 AUDIO\nTITLE \"D\xE9j\xE0\"\nINDEX 01 "
                     "00:00:00\n")
                  .front()
                  .caption,
              "D\xE9j\xE0");
    // More than 99 minutes, as a long mix has; minutes and seconds only.
    EXPECT_EQ(Tracks("FILE a.flac WAVE\nTRACK 01 AUDIO\nINDEX 01 123:04:00\nTRACK 02 AUDIO\n"
                     "INDEX 01 125:00\n"),
              (std::vector<Track>{{"Track 01", "", "a.flac", 7384000, 7500000},
                                  {"Track 02", "", "a.flac", 7500000, -1}}));
}

TEST(CueReaderTest, SeveralFilesEndTheirLastTrackAtTheirOwnEnd) {
    // As foobar2000 and Audacious read a sheet of one file per track, or of two discs.
    EXPECT_EQ(Tracks("TITLE \"Two discs\"\nFILE \"cd1.flac\" WAVE\n"
                     "TRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 01:00:00\n"
                     "FILE \"cd2.flac\" WAVE\nTRACK 03 AUDIO\nINDEX 00 00:00:00\n"
                     "INDEX 01 00:00:33\n"),
              (std::vector<Track>{{"Track 01", "", "cd1.flac", 0, 60000},
                                  {"Track 02", "", "cd1.flac", 60000, -1},
                                  {"Track 03", "", "cd2.flac", 440, -1}}));
    // A track with only an INDEX 00 starts there; a data track and a track before any FILE
    // give nothing, and the audio around a data track still ends at the next audio track.
    EXPECT_EQ(Tracks("TRACK 01 AUDIO\nINDEX 01 00:00:00\nFILE \"a.bin\" BINARY\n"
                     "TRACK 01 MODE1/2352\nINDEX 01 00:00:00\nFILE \"b.wav\" WAVE\n"
                     "TRACK 02 AUDIO\nINDEX 00 00:10:00\nTRACK 03 MODE2/2352\nINDEX 01 00:20:00\n"
                     "TRACK 04 AUDIO\nINDEX 01 00:30:00\n"),
              (std::vector<Track>{{"Track 02", "", "b.wav", 10000, 30000},
                                  {"Track 04", "", "b.wav", 30000, -1}}));
}

TEST(CueReaderTest, TracksOutOfOrderOrWithBrokenTimesEndCleanly) {
    // A later track that starts earlier cannot end the one before: that one plays to the end.
    EXPECT_EQ(Tracks("FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 05:00:00\nTRACK 02 AUDIO\n"
                     "INDEX 01 01:00:00\nTRACK 03 AUDIO\nINDEX 01 01:00:00\n"),
              (std::vector<Track>{{"Track 01", "", "a.wav", 300000, -1},
                                  {"Track 02", "", "a.wav", 60000, -1},
                                  {"Track 03", "", "a.wav", 60000, -1}}));
    // Times that do not read leave the track without a start: it gives nothing.
    EXPECT_EQ(Tracks("FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 xx:00:00\nTRACK 02 AUDIO\n"
                     "INDEX 01\nINDEX 01 99999999999:00:00\nTRACK 03 AUDIO\nINDEX 01 00:01:00\n"),
              (std::vector<Track>{{"Track 03", "", "a.wav", 1000, -1}}));
    // Ten thousand tracks read in one pass.
    std::string big = "FILE a.flac WAVE\n";
    for (int i = 0; i < 10000; ++i)
        big +=
            "TRACK " + std::to_string(i + 1) + " AUDIO\nINDEX 01 " + std::to_string(i) + ":00:00\n";
    const std::vector<Track> tracks = Tracks(big);
    ASSERT_EQ(tracks.size(), 10000u);
    EXPECT_EQ(tracks[9998].startMs, 9998 * 60000);
    EXPECT_EQ(tracks[9998].endMs, 9999 * 60000);
    EXPECT_EQ(tracks[9999].endMs, -1);
}

TEST(CueReaderTest, TextWithoutATrackIsNoSheet) {
    for (const char* bytes : {"", "\xEF\xBB\xBF", "REM only\nFILE a.wav WAVE\n",
                              "\x89PNG\r\n\x1A\n\0\0", "[playlist]\nFile1=a.mp3\n"})
        EXPECT_THROW(CueReader::Read(bytes), EPlayListFormatError) << bytes;
}

}  // namespace
