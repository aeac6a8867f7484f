// Play list files in both forms, byte for byte, on real temporary folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeShellInfo.h"
#include "playlist/FileAdder.h"
#include "playlist/FileUri.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListFiles.h"
#include "playlist/PlayListFormatError.h"
#include "support/TempDir.h"
#include "textfile/FileErrors.h"

namespace {

class PlayListFilesTest : public ::testing::Test {
protected:
    // Files whose extension is not ".txt" pass the filter; entries are captioned by their
    // whole name.
    PlayListFiles::LoadOutcome Load(const std::string& file) {
        return PlayListFiles::Load(file, list_, adder_);
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> result;
        for (int i = 0; i < list_.Count(); ++i)
            result.push_back(list_.At(i).Caption);
        return result;
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> result;
        for (int i = 0; i < list_.Count(); ++i)
            result.push_back(list_.At(i).Path);
        return result;
    }
    std::string Media(const std::string& name) { return dir_.Write("media/" + name, "RIFF"); }
    static std::string Uri(const std::string& path) { return "file://" + PercentEncode(path); }

    TempDir dir_;
    PlayList list_;
    FakeShellInfo shell_;
    int filterCalls_ = 0;  // files that existed and were offered to the filter
    FileAdder adder_{shell_, [this](const std::string& path) {
                         ++filterCalls_;
                         return std::filesystem::path(path).extension() != ".txt";
                     }};
};

TEST_F(PlayListFilesTest, TwoEntriesSavedInTheOwnFormGiveFiveCrLfLines) {
    list_.Append(PlayListEntry{"First", "", "/music/a.mp3", 0});
    list_.Append(PlayListEntry{"Second", "", "/music/b.mp3", 0});
    const std::string file = dir_.File("list.qpl");
    PlayListFiles::Save(file, 1, list_, false);
    const std::string own =
        "Quavrel v2.0 PlayList File\r\nFirst\r\n/music/a.mp3\r\nSecond\r\n/music/b.mp3\r\n";
    EXPECT_EQ(TempDir::Read(file), own);
    // A name of no list form takes the dialog's type, as the Windows program always did.
    const std::string bare = dir_.File("list.lst");
    PlayListFiles::Save(bare, 3, list_, false);  // "All Files" writes the own form too
    EXPECT_EQ(TempDir::Read(bare), own);
    PlayListFiles::Save(bare, 2, list_, false);
    EXPECT_EQ(TempDir::Read(bare), "/music/a.mp3\r\n/music/b.mp3\r\n");
}

TEST_F(PlayListFilesTest, TheNamesExtensionDecidesTheFormOverTheChosenType) {
    using Form = PlayListFiles::Form;
    const std::pair<const char*, Form> names[] = {{"a.qpl", Form::Own}, {"a.QPL", Form::Own},
                                                  {"a.m3u", Form::M3u}, {"a.M3U8", Form::M3u8},
                                                  {"a.pls", Form::Pls}, {"a.Xspf", Form::Xspf}};
    for (const auto& [name, form] : names)
        for (int type = 1; type <= 6; ++type)
            EXPECT_EQ(PlayListFiles::SaveFormOf(name, type), form) << name << " " << type;
    const Form byType[] = {Form::Own, Form::M3u, Form::Own, Form::M3u8, Form::Pls, Form::Xspf};
    for (const char* name : {"/a/list", "/a/list.txt", "/a.m3u/list", "/a/b.cue", "/a/b.wpl"})
        for (int type = 1; type <= 6; ++type)
            EXPECT_EQ(PlayListFiles::SaveFormOf(name, type), byType[type - 1]) << name << type;
    // The save dialog offers the type of the name it offers; a list that is only read is
    // offered under a ".qpl" name, never its own.
    EXPECT_EQ(PlayListFiles::FilterIndexOf("/m/mix.m3u"), 2);
    EXPECT_EQ(PlayListFiles::FilterIndexOf("/m/mix.qpl"), 1);
    EXPECT_EQ(PlayListFiles::FilterIndexOf("/m/mix.m3u8"), 4);
    EXPECT_EQ(PlayListFiles::FilterIndexOf("/m/mix.pls"), 5);
    EXPECT_EQ(PlayListFiles::FilterIndexOf("/m/mix.xspf"), 6);
    EXPECT_EQ(PlayListFiles::FilterIndexOf("/m/mix"), std::nullopt);
    EXPECT_EQ(PlayListFiles::SaveNameOf("/m/mix.m3u"), "/m/mix.m3u");
    EXPECT_EQ(PlayListFiles::SaveNameOf("/m/Album.cue"), "/m/Album.qpl");
    EXPECT_EQ(PlayListFiles::SaveNameOf("/m/a.b/Mix.WPL"), "/m/a.b/Mix.qpl");
    EXPECT_EQ(PlayListFiles::SaveNameOf("/m/x.asx"), "/m/x.qpl");
    EXPECT_EQ(PlayListFiles::SaveNameOf(""), "");

    // A loaded M3U saved again with the type last chosen (the own form) stays an M3U.
    const std::string a = Media("a.mp3"), b = Media("b.mp3");
    const std::string m3u = dir_.Write("mix.m3u", a + "\r\n" + b + "\r\n");
    EXPECT_EQ(Load(m3u), PlayListFiles::LoadOutcome::AllAdded);
    PlayListFiles::Save(m3u, 1, list_, false);
    EXPECT_EQ(TempDir::Read(m3u), a + "\r\n" + b + "\r\n");
}

TEST_F(PlayListFilesTest, SavingSelectedWritesOnlyTheSelectedEntries) {
    list_.Append(PlayListEntry{"First", "", "/music/a.mp3", 0});
    list_.Append(PlayListEntry{"Second", "", "/music/b.mp3", 0});
    const std::string qpl = dir_.File("sel.qpl"), m3u = dir_.File("sel.m3u");
    PlayListFiles::Save(qpl, 1, list_, true);
    EXPECT_EQ(TempDir::Read(qpl), "Quavrel v2.0 PlayList File\r\n");
    PlayListFiles::Save(m3u, 2, list_, true);
    EXPECT_EQ(TempDir::Read(m3u), "");
    list_.Select(1);
    PlayListFiles::Save(qpl, 1, list_, true);
    EXPECT_EQ(TempDir::Read(qpl), "Quavrel v2.0 PlayList File\r\nSecond\r\n/music/b.mp3\r\n");
}

TEST_F(PlayListFilesTest, TheOwnFormReadsBackWithItsCaptions) {
    const std::string a = Media("a.mp3"), b = Media("b.mp3");
    list_.Append(PlayListEntry{"Song A", "", a, 0});
    list_.Append(PlayListEntry{"", "", b, 0});  // an empty caption stays empty
    list_.Select(0);
    list_.Focus(1);
    const std::string file = dir_.File("round.qpl");
    PlayListFiles::Save(file, 1, list_, false);
    EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Song A", ""}));
    EXPECT_EQ(Paths(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(list_.SelectedCount(), 0);
    EXPECT_EQ(list_.Focused(), -1);
}

TEST_F(PlayListFilesTest, BarePathsInAQplFileAreReadAsTheOwnForm) {
    // What the Windows program writes with its M3U type under a ".qpl" name.
    const std::string a = Media("a.mp3"), b = Media("b.mp3"), c = Media("c.mp3");
    const std::string file = dir_.Write("bare.qpl", a + "\r\n" + b + "\r\n" + c + "\r\n");
    // The first path is taken as the header, then b is a caption and c its path.
    EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Captions(), std::vector<std::string>{b});
    EXPECT_EQ(Paths(), std::vector<std::string>{c});
}

TEST_F(PlayListFilesTest, TheOwnFormUnderAnM3uNameIsReadAsM3u) {
    // What the Windows program writes with its own type under a ".m3u" name.
    const std::string a = Media("a.b.mp3"), b = Media("song");
    for (const char* name : {"own.m3u", "OWN2.M3U"}) {
        const std::string file = dir_.Write(
            name, "Quavrel v2.0 PlayList File\r\nCap A\r\n" + a + "\r\nCap B\r\n" + b + "\r\n");
        filterCalls_ = 0;
        // The header and the caption lines name nothing: the load says so once, at the end.
        EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::SomeFailed) << name;
        EXPECT_EQ(filterCalls_, 2);
        EXPECT_EQ(Captions(), (std::vector<std::string>{"a.b", "song"})) << name;
        EXPECT_EQ(Paths(), (std::vector<std::string>{a, b}));
    }
}

TEST_F(PlayListFilesTest, ListsOfEveryFormLoadWithTheirTitlesAsLinuxPlayersWriteThem) {
    const std::string a = Media("Artist/01 First.flac"), b = Media("Artist/02 Second.ogg");
    const std::string c = Media("c d.opus");
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        // Audacious, Qmmp, VLC: LF ends, a byte-order mark at times, URIs or relative paths.
        {"vlc.m3u", "\xEF\xBB\xBF#EXTM3U\n#EXTINF:215,One\n#EXTVLCOPT:x=1\n" + Uri(a) +
                        "\n#EXTINF:180,Two\nArtist/02 Second.ogg\n\n" + Uri(c) + "\n"},
        {"mix.m3u8", "#EXTM3U\n#EXTINF:215,One\n" + a + "\n#EXTINF:-1,Two\n" + b + "\n" + c + "\n"},
        {"strawberry.pls", "[playlist]\nFile1=" + a + "\nTitle1=One\nLength1=215\nFile2=" +
                               "Artist/02 Second.ogg\nTitle2=Two\nFile3=" + c +
                               "\nNumberOfEntries=3\nVersion=2\n"},
        {"audacious.xspf",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist version=\"1\" "
         "xmlns=\"http://xspf.org/ns/0/\">\n<trackList>\n<track>\n<location>" +
             Uri(a) +
             "</location>\n<title>One</title>\n</track>\n<track>\n<location>"
             "Artist/02%20Second.ogg</location>\n<title>Two</title>\n</track>\n<track>\n"
             "<location>c%20d.opus</location>\n</track>\n</trackList>\n</playlist>\n"},
    };
    for (const Case& list : cases) {
        const std::string file = dir_.Write(std::string("media/") + list.name, list.bytes);
        EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded) << list.name;
        EXPECT_EQ(Paths(), (std::vector<std::string>{a, b, c})) << list.name;
        EXPECT_EQ(Captions(), (std::vector<std::string>{"One", "Two", "c d"})) << list.name;
    }
}

TEST_F(PlayListFilesTest, StreamAddressesAreEntriesInEveryFormAndSaveBackAsTheyCame) {
    const std::string station = "http://radio.example:8000/live", secure = "HTTPS://x.example/a";
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"r.m3u", "#EXTM3U\r\n#EXTINF:-1,Jazz\r\n" + station + "\r\n" + secure + "\r\n"},
        {"r.pls", "[playlist]\nFile1=" + station + "\nTitle1=Jazz\nFile2=" + secure +
                      "\nNumberOfEntries=2\n"},
        {"r.xspf", "<playlist><trackList><track><location>" + station +
                       "</location><title>Jazz</title></track><track><location>" + secure +
                       "</location></track></trackList></playlist>"},
    };
    for (const Case& list : cases) {
        EXPECT_EQ(Load(dir_.Write(list.name, list.bytes)), PlayListFiles::LoadOutcome::AllAdded)
            << list.name;
        EXPECT_EQ(Paths(), (std::vector<std::string>{station, secure})) << list.name;
        EXPECT_EQ(Captions()[0], "Jazz") << list.name;
        EXPECT_EQ(filterCalls_, 0) << "no file system and no filter for an address";
    }
    // The own form keeps the address as the entry's path; M3U writes it as a line.
    const std::string own = dir_.File("saved.qpl"), m3u = dir_.File("saved.m3u");
    PlayListFiles::Save(own, 1, list_, false);
    PlayListFiles::Save(m3u, 2, list_, false);
    EXPECT_EQ(TempDir::Read(m3u), station + "\r\n" + secure + "\r\n");
    EXPECT_EQ(Load(own), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), (std::vector<std::string>{station, secure}));
    EXPECT_EQ(Captions()[0], "Jazz");
}

TEST_F(PlayListFilesTest, AWindowsMadeM3uInWindows1252FindsItsFilesInAnyLetterCase) {
    const std::string song = Media("Musik/Bj\xC3\xB6rk/J\xC3\xB3ga.mp3");
    const std::string other = Media("Musik/Caf\xC3\xA9 del Mar.wav");
    const std::string file =
        dir_.Write("media/windows.m3u",
                   "#EXTM3U\r\n#EXTINF:305,Bj\xF6rk - J\xF3ga\r\nMUSIK\\BJ\xD6RK\\j\xF3ga.MP3\r\n"
                   "musik\\caf\xE9 DEL mar.WAV\r\nC:\\Windows\\Media\\chimes.wav\r\n");
    EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::SomeFailed);  // the drive path
    EXPECT_EQ(Paths(), (std::vector<std::string>{song, other}));
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{"Bj\xC3\xB6rk - J\xC3\xB3ga", "Caf\xC3\xA9 del Mar"}));
    // The own form of the Windows program, its captions in the same code page.
    const std::string qpl =
        dir_.Write("media/windows.qpl",
                   "Quavrel v2.0 PlayList File\r\nJ\xF3ga\r\nmusik\\bj\xF6rk\\J\xF3GA.mp3\r\n");
    EXPECT_EQ(Load(qpl), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), std::vector<std::string>{song});
    EXPECT_EQ(Captions(), std::vector<std::string>{"J\xC3\xB3ga"});
}

TEST_F(PlayListFilesTest, ANameThatIsNotUtf8PlaysShowsReadablyAndSavesBackUnchanged) {
    const std::string latin = Media("Caf\xE9.mp3");
    const std::string file = dir_.Write("media/latin.m3u", "Caf\xE9.mp3\n");
    EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), std::vector<std::string>{latin});
    EXPECT_EQ(Captions(), std::vector<std::string>{"Caf\xC3\xA9"});
    const std::string saved = dir_.File("saved.m3u");
    PlayListFiles::Save(saved, 2, list_, false);
    EXPECT_EQ(TempDir::Read(saved), latin + "\r\n");
    const std::string extended = dir_.File("saved.m3u8");
    PlayListFiles::Save(extended, 4, list_, false);
    EXPECT_EQ(TempDir::Read(extended), "#EXTM3U\n#EXTINF:-1,Caf\xC3\xA9\n" + latin + "\n");
}

TEST_F(PlayListFilesTest, TheExtendedM3uTypeKeepsCaptionsInUtf8WithLfEnds) {
    const std::string a = Media("a.mp3"), b = Media("b.mp3");
    list_.Append(PlayListEntry{"Bj\xC3\xB6rk, live", "", a, 0});
    list_.Append(PlayListEntry{"Two\r\nlines", "", b, 0});
    const std::string file = dir_.File("saved.m3u8");
    PlayListFiles::Save(file, PlayListFiles::ExtM3uFilterIndex, list_, false);
    EXPECT_EQ(TempDir::Read(file), "#EXTM3U\n#EXTINF:-1,Bj\xC3\xB6rk, live\n" + a +
                                       "\n#EXTINF:-1,Two  lines\n" + b + "\n");
    EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Bj\xC3\xB6rk, live", "Two  lines"}));
    list_.Select(1);
    PlayListFiles::Save(file, PlayListFiles::ExtM3uFilterIndex, list_, true);
    EXPECT_EQ(TempDir::Read(file), "#EXTM3U\n#EXTINF:-1,Two  lines\n" + b + "\n");
}

TEST_F(PlayListFilesTest, ABrokenListIsOneErrorAndAnEmptyList) {
    const std::string a = Media("a.mp3");
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{
                                          "bad.xspf", "<playlist><trackList><track><location>" + a},
                                      {"bad.pls", "File1=" + a + "\n"}}) {
        list_.Append(PlayListEntry{"x", "", a, 0});
        filterCalls_ = 0;
        try {
            Load(dir_.Write(name, bytes));
            ADD_FAILURE() << name << " loaded";
        } catch (const EPlayListFormatError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
        EXPECT_TRUE(list_.Empty()) << name;
        EXPECT_EQ(filterCalls_, 0) << name;
    }
}

TEST_F(PlayListFilesTest, BrokenOwnFormRecordsCountAsFailedAndTheRestIsAdded) {
    const std::string a = Media("a.mp3");
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> captions;
    } cases[] = {
        {"no path line", "H\r\nA\r\n" + a + "\r\nlast caption\r\n", {"A"}},
        {"extra empty line", "H\r\nA\r\n" + a + "\r\n\r\n", {"A"}},
        {"LF ends a line too", "H\r\nA\r\n" + a + "\r\nB\r\n" + a + "x\nx\r\n", {"A"}},
        {"filtered type", "H\r\nA\r\n" + a + "\r\nT\r\n" + Media("t.txt") + "\r\n", {"A"}},
        // A folder adds the files in it, under their own names, and still counts as failed.
        {"a folder", "H\r\nA\r\n" + a + "\r\nF\r\n" + dir_.File("media") + "\r\n", {"A", "a.mp3"}},
    };
    for (const Case& c : cases) {
        const std::string file = dir_.Write("broken.qpl", c.bytes);
        EXPECT_EQ(Load(file), PlayListFiles::LoadOutcome::SomeFailed) << c.name;
        EXPECT_EQ(Captions(), c.captions) << c.name;
    }
    EXPECT_EQ(Load(dir_.Write("fine.qpl", "H\r\nA\r\n" + a + "\r\n")),
              PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Load(dir_.Write("ctrlz.qpl", "H\r\nA\r\n" + a +
                                               "\r\n\x1A"
                                               "B\r\n/x\r\n")),
              PlayListFiles::LoadOutcome::AllAdded);
}

TEST_F(PlayListFilesTest, RelativePathsAreFoundBesideThePlayListFile) {
    const std::string a = Media("a.mp3");
    Media("sub/b.mp3");
    const std::string file = dir_.Write("media/rel.m3u", "a.mp3\r\n./sub/b.mp3\r\n\r\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path("/");
    const auto outcome = Load(file);
    std::filesystem::current_path(previous);
    // The blank line is skipped, never taken as the list's own folder.
    EXPECT_EQ(outcome, PlayListFiles::LoadOutcome::AllAdded);
    EXPECT_EQ(Paths(), (std::vector<std::string>{a, dir_.File("media/sub/b.mp3")}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b"}));
    // An empty path line of the own form names nothing either.
    EXPECT_EQ(Load(dir_.Write("media/rel.qpl", "H\r\nA\r\na.mp3\r\nEmpty\r\n\r\n")),
              PlayListFiles::LoadOutcome::SomeFailed);
    EXPECT_EQ(Paths(), std::vector<std::string>{a});
}

TEST_F(PlayListFilesTest, AMissingFileEmptiesTheListSilently) {
    list_.Append(PlayListEntry{"x", "", "/x", 0});
    EXPECT_EQ(Load(dir_.File("none.qpl")), PlayListFiles::LoadOutcome::Missing);
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(filterCalls_, 0);
}

TEST_F(PlayListFilesTest, AGarbageFileLoadsWithoutHarm) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919) % 256);
    EXPECT_NO_THROW(Load(dir_.Write("junk.qpl", bytes)));
    EXPECT_TRUE(list_.Empty());
    EXPECT_NO_THROW(Load(dir_.Write("junk.m3u", bytes)));
    EXPECT_TRUE(list_.Empty());
}

TEST_F(PlayListFilesTest, AFailedSaveLeavesTheOldFileWholeAndNoTemporaryFile) {
    list_.Append(PlayListEntry{"First", "", "/music/a.mp3", 0});
    const std::string missingFolder = dir_.File("gone/list.qpl");
    EXPECT_THROW(PlayListFiles::Save(missingFolder, 1, list_, false), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("gone")));
    // A name that is a folder cannot be replaced: the folder and its files stay.
    const std::string folder = dir_.File("media");
    Media("keep.mp3");
    EXPECT_THROW(PlayListFiles::Save(folder, 1, list_, false), EInOutError);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir_.File("media/keep.mp3")));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(PlayListFilesTest, TheFormIsChosenByTheExtensionAlone) {
    EXPECT_EQ(PlayListFiles::FormOf("/a/b.m3u"), PlayListFiles::Form::M3u);
    EXPECT_EQ(PlayListFiles::FormOf("/a/b.M3u"), PlayListFiles::Form::M3u);
    EXPECT_EQ(PlayListFiles::FormOf("/a.m3u/b"), PlayListFiles::Form::Own);
    EXPECT_EQ(PlayListFiles::FormOf("/a/b.m3u8"), PlayListFiles::Form::M3u8);
    EXPECT_EQ(PlayListFiles::FormOf("/a/b.PLS"), PlayListFiles::Form::Pls);
    EXPECT_EQ(PlayListFiles::FormOf("/a/b.xspf"), PlayListFiles::Form::Xspf);
    EXPECT_EQ(PlayListFiles::FormOf("/a/b.xspf.bak"), PlayListFiles::Form::Own);
    EXPECT_EQ(PlayListFiles::FolderOf("/a/b/c.qpl"), "/a/b/");
    EXPECT_EQ(PlayListFiles::CaptionOf("/x/noext"), "noext");
}

}  // namespace
