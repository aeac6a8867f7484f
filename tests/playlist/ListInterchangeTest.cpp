// Lists as other players write them and lists we write for them: every writer's output read
// back by our own reader, and the lists of twelve programs read, on names that break readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "fakes/FakeShellInfo.h"
#include "playlist/FileAdder.h"
#include "playlist/FileUri.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListFiles.h"
#include "playlist/PlayListFormatError.h"
#include "support/TempDir.h"
#include "textfile/TextEncoding.h"

namespace {

class ListInterchangeTest : public ::testing::Test {
protected:
    ListInterchangeTest() {
        // The list lives in Music/; every name below is one that some reader gets wrong.
        for (const char* name : kNames)
            paths_.push_back(dir_.Write(std::string("Music/") + name, "RIFF"));
        paths_.push_back(dir_.Write("Elsewhere/Outside.flac", "RIFF"));  // beside the folder
    }

    PlayListFiles::LoadOutcome Load(const std::string& file) {
        return PlayListFiles::Load(file, list_, adder_);
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> result;
        for (int i = 0; i < list_.Count(); ++i)
            result.push_back(list_.At(i).Path);
        return result;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> result;
        for (int i = 0; i < list_.Count(); ++i)
            result.push_back(list_.At(i).Caption);
        return result;
    }
    // The name of path k relative to Music/, with "/" or "\" between folders.
    std::string Relative(std::size_t k, char separator = '/') const {
        std::string relative =
            std::filesystem::path(paths_[k]).lexically_relative(dir_.File("Music")).string();
        std::replace(relative.begin(), relative.end(), '/', separator);
        return relative;
    }
    std::string Uri(std::size_t k) const { return "file://" + PercentEncode(paths_[k]); }
    // Builds a list's text: each of the paths written by how, each line ended by end.
    static std::string Lines(const std::function<std::string(std::size_t)>& how, const char* end,
                             const std::vector<std::size_t>& which) {
        std::string text;
        for (const std::size_t k : which)
            text += how(k) + end;
        return text;
    }
    // Every path's index, or all but one.
    static std::vector<std::size_t> All(std::size_t except = kAll) {
        std::vector<std::size_t> which;
        for (std::size_t k = 0; k < kAll; ++k)
            if (k != except)
                which.push_back(k);
        return which;
    }

    static constexpr const char* kNames[] = {
        "Bj\xC3\xB6rk \xE2\x80\x93 J\xC3\xB3ga.flac",  // non-ASCII
        "Hit #1 & More.mp3",                           // "#" and "&"
        "[1] Intro.ogg",
        "100%20Pure.opus",  // a literal "%20"
        "What?.mp3",
        "-Dash.wav",
        "Caf\xE9 Latin.mp3",  // Latin-1 bytes, not UTF-8
        "a/b/c/d/e/f/g/Deep.flac",
    };
    static constexpr std::size_t kLatin = 6;  // the name that is not UTF-8
    static constexpr std::size_t kAll = std::size(kNames) + 1;

    TempDir dir_;
    std::vector<std::string> paths_;
    PlayList list_;
    FakeShellInfo shell_;
    FileAdder adder_{shell_, nullptr};
};

TEST_F(ListInterchangeTest, EveryWriterIsReadBackAsTheSameEntries) {
    for (std::size_t k = 0; k < paths_.size(); ++k) {
        list_.Append(PlayListEntry{"Title " + std::to_string(k) + " & <more>", "", paths_[k], 0});
        list_.Select(static_cast<int>(k));
    }
    const std::vector<std::string> paths = Paths(), captions = Captions();
    // A plain M3U holds no captions: its entries are named after their files.
    std::vector<std::string> fileCaptions;
    for (const std::string& path : paths)
        fileCaptions.push_back(ReadableText(PlayListFiles::CaptionOf(path)));
    for (const char* name : {"round.qpl", "round.m3u", "round.m3u8", "round.pls", "round.xspf"}) {
        const std::string file = dir_.File(std::string("Music/") + name);
        PlayListFiles::Save(file, 1, list_, false);
        EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded) << name;
        EXPECT_EQ(Paths(), paths) << name;
        EXPECT_EQ(Captions(), std::string(name) == "round.m3u" ? fileCaptions : captions) << name;
        // Reload the saved list for the next form, so each writer starts from the same list.
        list_.Clear();
        for (std::size_t k = 0; k < paths.size(); ++k)
            list_.Append(PlayListEntry{captions[k], "", paths[k], 0});
    }
}

TEST_F(ListInterchangeTest, PlsAndXspfStoreTheLengthWhereTheTagsKnowIt) {
    PlayListEntry known{"Known", "", paths_[0], 0};
    auto tags = std::make_shared<TrackTags>();
    tags->LengthMs = 215400;
    known.Tags = tags;
    list_.Append(known);
    list_.Append(PlayListEntry{"Unknown", "", paths_[1], 0});
    const std::string pls = dir_.File("Music/len.pls"), xspf = dir_.File("Music/len.xspf");
    PlayListFiles::Save(pls, 1, list_, false);
    EXPECT_EQ(TempDir::Read(pls), "[playlist]\nFile1=" + paths_[0] +
                                      "\nTitle1=Known\nLength1=215\nFile2=" + paths_[1] +
                                      "\nTitle2=Unknown\nLength2=-1\nNumberOfEntries=2\n"
                                      "Version=2\n");
    PlayListFiles::Save(xspf, 1, list_, false);
    const std::string xml = TempDir::Read(xspf);
    EXPECT_NE(xml.find("<location>" + Uri(0) + "</location>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<duration>215400</duration>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<duration>", xml.find("Unknown")), std::string::npos) << xml;
    // A name with a line break is a URI in PLS, where a line could not hold it.
    const std::string broken = dir_.Write("Music/two\nlines.mp3", "RIFF");
    list_.Clear();
    list_.Append(PlayListEntry{"Odd", "", broken, 0});
    PlayListFiles::Save(pls, 1, list_, false);
    EXPECT_EQ(Load(pls), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), std::vector<std::string>{broken});
}

TEST_F(ListInterchangeTest, ListsOfTwelvePlayersLoadExactly) {
    const std::size_t n = kAll;
    const std::vector<std::size_t> all = All();
    // The Windows programs cannot name a file whose name is bytes that are not UTF-8.
    const std::vector<std::size_t> noLatin = All(kLatin);
    const auto rel = [this](std::size_t k) { return Relative(k); };
    const auto winRel = [this](std::size_t k) { return Relative(k, '\\'); };
    const auto abs = [this](std::size_t k) { return paths_[k]; };
    const auto uri = [this](std::size_t k) { return Uri(k); };
    // VLC writes a file under the list's folder as an encoded relative reference, others as URIs.
    const auto vlcRef = [this](std::size_t k) {
        return k + 1 == kAll ? Uri(k) : PercentEncode(Relative(k));
    };
    const auto extinf = [this](std::size_t k) {
        return "#EXTINF:215,Artist " + std::to_string(k) + "\n";
    };
    const auto pls = [&](const std::function<std::string(std::size_t)>& how, const char* end) {
        std::string text = std::string("[playlist]") + end;
        for (std::size_t k = 0; k < n; ++k)
            text += "File" + std::to_string(k + 1) + "=" + how(k) + end + "Title" +
                    std::to_string(k + 1) + "=Artist " + std::to_string(k) + end + "Length" +
                    std::to_string(k + 1) + "=215" + end;
        return text + "NumberOfEntries=" + std::to_string(n) + end + "Version=2" + end;
    };
    const auto xspf = [&](const std::function<std::string(std::size_t)>& how) {
        std::string text =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist version=\"1\" "
            "xmlns=\"http://xspf.org/ns/0/\">\n  <trackList>\n";
        for (std::size_t k = 0; k < n; ++k) {
            std::string location = how(k);
            for (std::size_t at = location.find('&'); at != std::string::npos;
                 at = location.find('&', at + 1))
                location.replace(at, 1, "&amp;");
            text += "    <track><location>" + location + "</location><title>Artist " +
                    std::to_string(k) + "</title><duration>215000</duration></track>\n";
        }
        return text + "  </trackList>\n</playlist>\n";
    };
    struct Case {
        const char* program;
        const char* name;
        std::string bytes;
        bool titled;
        std::vector<std::size_t> which;
    } cases[] = {
        {"VLC", "vlc.m3u",
         "#EXTM3U\n" + Lines([&](auto k) { return extinf(k) + vlcRef(k); }, "\n", all), true, all},
        {"VLC", "vlc.xspf", xspf(uri), true, all},
        {"Audacious", "audacious.m3u",
         "#EXTM3U\n" + Lines([&](auto k) { return extinf(k) + uri(k); }, "\n", all), true, all},
        {"Audacious", "audacious.xspf", xspf(uri), true, all},
        {"Strawberry", "strawberry.m3u",
         "#EXTM3U\n" + Lines([&](auto k) { return extinf(k) + rel(k); }, "\n", all), true, all},
        {"Strawberry", "strawberry.pls", pls(rel, "\n"), true, all},
        {"Clementine", "clementine.xspf", xspf(rel), true, all},  // raw relative paths
        {"Qmmp", "qmmp.m3u",
         "#EXTM3U\n" + Lines([&](auto k) { return extinf(k) + abs(k); }, "\n", all), true, all},
        {"Qmmp", "qmmp.pls", pls(abs, "\n"), true, all},
        {"Rhythmbox", "rhythmbox.pls",
         "[playlist]\nX-GNOME-Title=Mix\nNumberOfEntries=" + std::to_string(n) + "\n" +
             Lines(
                 [&](auto k) {
                     return "File" + std::to_string(k + 1) + "=" + uri(k) + "\nTitle" +
                            std::to_string(k + 1) + "=Artist " + std::to_string(k);
                 },
                 "\n", all),
         true, all},
        {"Totem", "totem.xspf", xspf(uri), true, all},
        {"DeaDBeeF", "deadbeef.m3u",
         "#EXTM3U\n" + Lines([&](auto k) { return extinf(k) + abs(k); }, "\n", all), true, all},
        {"DeaDBeeF", "deadbeef.pls", pls(abs, "\n"), true, all},
        {"MPD", "mpd.m3u", Lines(rel, "\n", all), false, all},
        {"Kodi", "kodi.m3u",
         "#EXTCPlayListM3U::M3U\n" + Lines([&](auto k) { return extinf(k) + abs(k); }, "\n", all),
         true, all},
        {"Kodi", "kodi.pls", "[playlist]\nPlaylistName=Mix\n" + pls(abs, "\n").substr(11), true,
         all},
        // The Windows programs write "\" and CR LF, relative to the list; the Latin-1 name
        // is one a Linux file system holds as bytes, which they cannot name: left out.
        {"foobar2000", "foobar2000.m3u8",
         "\xEF\xBB\xBF#EXTM3U\r\n" + Lines(
                                         [&](auto k) {
                                             return "#EXTINF:215,Artist " + std::to_string(k) +
                                                    "\r\n" + winRel(k);
                                         },
                                         "\r\n", noLatin),
         true, noLatin},
        {"foobar2000", "foobar2000.pls", pls(winRel, "\r\n"), true, all},
        {"Winamp", "winamp.m3u",
         "#EXTM3U\r\n" + Lines(
                             [&](auto k) {
                                 return "#EXTINF:215,Artist " + std::to_string(k) + "\r\n" +
                                        winRel(k);
                             },
                             "\r\n", noLatin),
         true, noLatin},
        {"Winamp", "winamp.pls", pls(winRel, "\r\n"), true, all},
        // Apple Music ends its lines with CR alone and names files by absolute paths.
        {"Apple Music", "apple.m3u",
         "#EXTM3U\r" +
             Lines(
                 [&](auto k) { return "#EXTINF:215,Artist " + std::to_string(k) + "\r" + abs(k); },
                 "\r", all),
         true, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " " + c.name);
        const std::string file = dir_.Write(std::string("Music/") + c.name, c.bytes);
        EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded);
        std::vector<std::string> expected, titles;
        for (const std::size_t k : c.which) {
            expected.push_back(paths_[k]);
            titles.push_back("Artist " + std::to_string(k));
        }
        EXPECT_EQ(Paths(), expected);
        if (c.titled) {
            EXPECT_EQ(Captions(), titles);
        }
    }
}

TEST_F(ListInterchangeTest, WindowsMediaListsFindTheirFiles) {
    const std::string wpl =
        "<?wpl version=\"1.0\"?>\r\n<smil>\r\n<head><title>Mix</title></head>\r\n<body><seq>\r\n" +
        Lines(
            [this](std::size_t k) {
                std::string src = Relative(k, '\\');
                for (std::size_t at = src.find('&'); at != std::string::npos;
                     at = src.find('&', at + 1))
                    src.replace(at, 1, "&amp;");
                return "<media src=\"" + src + "\"/>";
            },
            "\r\n", All(kLatin)) +
        "</seq></body>\r\n</smil>\r\n";
    EXPECT_EQ(Load(dir_.Write("Music/mix.wpl", wpl)), PlayListFiles::LoadOutcome::AllAdded);
    std::vector<std::string> noLatin = paths_;
    noLatin.erase(noLatin.begin() + kLatin);
    EXPECT_EQ(Paths(), noLatin);
    const std::string asx = "<ASX VERSION=\"3.0\">\r\n" +
                            Lines(
                                [this](std::size_t k) {
                                    std::string href = Uri(k);
                                    return "<ENTRY><TITLE>T" + std::to_string(k) +
                                           "</TITLE><REF HREF=\"" + href + "\"/></ENTRY>";
                                },
                                "\r\n", All()) +
                            "</ASX>\r\n";
    EXPECT_EQ(Load(dir_.Write("Music/mix.asx", asx)), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), paths_);
    EXPECT_EQ(Captions().front(), "T0");
}

TEST_F(ListInterchangeTest, ACueSheetGivesEachTrackAsAPartOfItsFile) {
    // Exact Audio Copy's sheet for a WAV rip, in Windows-1252 with CR LF, beside the FLAC that
    // the rip became; no final line end.
    const std::string flac = dir_.Write("Rips/Bj\xC3\xB6rk - Homogenic.flac", "fLaC");
    const std::string sheet = dir_.Write(
        "Rips/Homogenic.cue",
        "REM GENRE Electronic\r\nPERFORMER \"Bj\xF6rk\"\r\nTITLE \"Homogenic\"\r\n"
        "FILE \"Bj\xF6rk - Homogenic.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n    TITLE \"Hunter\"\r\n"
        "    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    TITLE \"J\xF3ga\"\r\n    FLAGS DCP\r\n"
        "    INDEX 00 04:12:50\r\n    INDEX 01 04:15:00\r\n  TRACK 03 AUDIO\r\n"
        "    TITLE \"Unravel\"\r\n    INDEX 01 09:20:37");
    EXPECT_EQ(Load(sheet), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), (std::vector<std::string>{flac + "|t=0,255", flac + "|t=255,560.493",
                                                 flac + "|t=560.493"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Hunter", "J\xC3\xB3ga", "Unravel"}));
    ASSERT_TRUE(list_.At(1).Tags);
    EXPECT_EQ(list_.At(1).Tags->LengthMs, 305493);
    EXPECT_EQ(list_.At(1).Tags->Artist, "Bj\xC3\xB6rk");
    EXPECT_EQ(list_.At(2).Tags->LengthMs, -1);  // to the end of the file, whose length is not read
    EXPECT_TRUE(PlayListFiles::IsPlayListFile("/x/A.CUE"));

    // Each form saves the tracks so that they load again as the same tracks.
    const std::vector<std::string> paths = Paths(), captions = Captions();
    for (const char* name : {"c.qpl", "c.m3u", "c.m3u8", "c.pls", "c.xspf"}) {
        const std::string file = dir_.File(std::string("Rips/") + name);
        PlayListFiles::Save(file, 1, list_, false);
        EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded) << name;
        EXPECT_EQ(Paths(), paths) << name;
        if (std::string(name) != "c.m3u") {
            EXPECT_EQ(Captions(), captions) << name;
        }
        EXPECT_EQ(Load(sheet), PlayListFiles::LoadOutcome::AllAdded);
    }
    // The own form holds the track paths, which name no file on Windows ("|"); M3U holds the
    // file with VLC's start and stop lines.
    PlayListFiles::Save(dir_.File("Rips/c.qpl"), 1, list_, false);
    EXPECT_NE(TempDir::Read(dir_.File("Rips/c.qpl"))
                  .find("\r\nJ\xC3\xB3ga\r\n" + flac + "|t=255,560.493\r\n"),
              std::string::npos);
    PlayListFiles::Save(dir_.File("Rips/c.m3u"), 1, list_, false);
    EXPECT_EQ(TempDir::Read(dir_.File("Rips/c.m3u")),
              "#EXTVLCOPT:start-time=0\r\n#EXTVLCOPT:stop-time=255\r\n" + flac +
                  "\r\n#EXTVLCOPT:start-time=255\r\n#EXTVLCOPT:stop-time=560.493\r\n" + flac +
                  "\r\n#EXTVLCOPT:start-time=560.493\r\n" + flac + "\r\n");
}

TEST_F(ListInterchangeTest, CueSheetsWithTheQuirksThatBreakReadersLoadCleanly) {
    const std::string cd1 = dir_.Write("Rips/cd1.ape", "MAC "),
                      cd2 = dir_.Write("Rips/cd2.wv", "wvpk");
    // Two FILE lines, names without quotes, lower case, LF ends, a byte-order mark.
    EXPECT_EQ(Load(dir_.Write("Rips/two.cue",
                              "\xEF\xBB\xBF"
                              "file cd1.ape wave\ntrack 01 audio\n"
                              "index 01 00:00:00\ntrack 02 audio\nindex 01 "
                              "1:00:00\nFILE \"cd2.wv\" WAVE\nTRACK 03 AUDIO\n"
                              "INDEX 01 00:00:00\n")),
              PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), (std::vector<std::string>{cd1 + "|t=0,60", cd1 + "|t=60", cd2}));
    // A sheet that names itself, or another sheet, adds nothing from those lines; a missing
    // file fails; the rest is added and the one message says so.
    dir_.Write("Rips/other.cue", "FILE cd1.ape WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
    EXPECT_EQ(Load(dir_.Write("Rips/self.cue",
                              "FILE \"self.cue\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                              "FILE \"other.cue\" WAVE\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n"
                              "FILE \"gone.wav\" WAVE\nTRACK 03 AUDIO\nINDEX 01 00:00:00\n"
                              "FILE \"C:\\Rips\\cd2.wav\" WAVE\nTRACK 04 AUDIO\n"
                              "INDEX 01 00:00:00\n")),
              PlayListFiles::LoadOutcome::SomeFailed);
    EXPECT_EQ(Paths(), std::vector<std::string>{cd2});  // found by its name beside the sheet
    // Garbage is one error and an empty list.
    list_.Append(PlayListEntry{"x", "", cd1, 0});
    EXPECT_THROW(Load(dir_.Write("Rips/junk.cue", std::string("\x89PNG\r\n\x1A\n\0\0\xFF", 11))),
                 EPlayListFormatError);
    EXPECT_TRUE(list_.Empty());
    // Ten thousand tracks of one file.
    std::string big = "FILE cd1.ape WAVE\n";
    for (int i = 0; i < 10000; ++i)
        big +=
            "TRACK " + std::to_string(i + 1) + " AUDIO\nINDEX 01 " + std::to_string(i) + ":00:00\n";
    EXPECT_EQ(Load(dir_.Write("Rips/big.cue", big)), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(list_.Count(), 10000);
    EXPECT_EQ(list_.At(9999).Path, cd1 + "|t=599940");
}

}  // namespace
