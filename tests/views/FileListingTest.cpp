#include "views/FileListing.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <filesystem>

#include "fakes/FakeShellInfo.h"
#include "filter/FileTypeFilter.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FileListingTest : public ::testing::Test {
protected:
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (int i = 0; i < list_.Count(); ++i)
            captions.push_back(list_.At(i).Caption);
        return captions;
    }
    const FileListEntry& Entry(const std::string& caption) const {
        for (int i = 0; i < list_.Count(); ++i) {
            if (list_.At(i).Caption == caption)
                return list_.At(i);
        }
        throw std::out_of_range(caption);
    }
    void SetTime(const std::string& name, std::int64_t seconds) {
        fs::last_write_time(dir_.Path() / name,
                            fs::file_time_type::clock::from_sys(
                                std::chrono::sys_seconds(std::chrono::seconds(seconds))));
    }

    TempDir dir_;
    FakeShellInfo shell_;
    std::vector<std::string> filterList_{"mp3", "wav"};
    std::uint8_t filteringOn_ = 1;
    FileListing list_{shell_, [this](const std::string& path) {
                          return PassesFilter(path, &filterList_, filteringOn_);
                      }};
    std::string folder_ = dir_.Path().string() + "/";
};

TEST_F(FileListingTest, StartsWithTheDesignedValues) {
    EXPECT_EQ(list_.Mask(), "*.*");
    EXPECT_EQ(list_.Directory(), "");
    EXPECT_EQ(list_.FileTypes(), (TFileTypes{ftArchive, ftReadonly}));
    EXPECT_TRUE(list_.DisplayDirectory());
    EXPECT_TRUE(list_.DisplayParentDir());
    EXPECT_EQ(list_.SortColumn(), fiName);
    EXPECT_FALSE(list_.SortDescending());
    ASSERT_EQ(list_.Columns().size(), 4u);
    EXPECT_EQ(list_.Columns()[3].Caption, "Modified");
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(FileListingTest, NormalisesDirectoryAndComparesFoldersExactly) {
    list_.SetDirectory("/m/A;/m/B;/m/a/;;/m/A/");
    EXPECT_EQ(list_.Directory(), "/m/A/;/m/B/;/m/a/");
    list_.SetDirectory("");
    EXPECT_EQ(list_.Directory(), "");
    EXPECT_EQ(list_.Count(), 0);
}

TEST_F(FileListingTest, ListsMatchingFilesThatPassTheFilterWithFoldersFirst) {
    dir_.Write("b.mp3", "12345");
    dir_.Write("A.wav", "");
    dir_.Write("c.txt", "");
    dir_.Write("noext", "");
    fs::create_directory(dir_.Path() / "Zeta");
    list_.SetDirectory(dir_.Path().string());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"..", "Zeta", "A.wav", "b.mp3"}));
    const FileListEntry& song = Entry("b.mp3");
    EXPECT_EQ(song.Path, folder_ + "b.mp3");
    EXPECT_EQ(song.TypeName, "MP3 audio");
    ASSERT_EQ(song.Columns.size(), 3u);  // Size, Type, Modified
    EXPECT_EQ(song.Columns[0], "         5");
    EXPECT_EQ(song.Columns[1], "MP3 audio");
    EXPECT_EQ(song.Columns[2][0], 'D');
    const FileListEntry& zeta = Entry("Zeta");
    EXPECT_TRUE(zeta.IsFolder);
    EXPECT_EQ(zeta.Columns[0], "");
    EXPECT_EQ(zeta.Columns[1], "Folder");
    EXPECT_EQ(zeta.Path, folder_ + "Zeta");
    EXPECT_EQ(Entry("..").Path, folder_ + "..");
    EXPECT_TRUE(list_.IsConsistent());

    filteringOn_ = 0;
    list_.SetMask("*.txt, NOEXT");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"..", "Zeta", "c.txt", "noext"}));
}

TEST_F(FileListingTest, HidesFoldersAndTheParentOnRequest) {
    dir_.Write("a.mp3", "");
    fs::create_directory(dir_.Path() / "sub");
    list_.SetDirectory(dir_.Path().string());
    list_.SetDisplayParentDir(false);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"sub", "a.mp3"}));
    list_.SetDisplayDirectory(false);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a.mp3"}));
    list_.SetDirectory("/");
    for (const std::string& caption : Captions())
        EXPECT_NE(caption, "..");  // the root has no parent
}

TEST_F(FileListingTest, ListsOnlyTheAllowedAttributes) {
    dir_.Write(".hidden.mp3", "");
    dir_.Write("plain.mp3", "");
    fs::create_directory(dir_.Path() / ".config");
    list_.SetDirectory(dir_.Path().string());
    list_.SetDisplayParentDir(false);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"plain.mp3"}));
    list_.SetFileTypes({ftArchive, ftHidden});
    EXPECT_EQ(Captions(), (std::vector<std::string>{".config", ".hidden.mp3", "plain.mp3"}));
    list_.SetFileTypes({ftAll});
    EXPECT_EQ(list_.Count(), 3);
    ASSERT_EQ(::mkfifo((dir_.Path() / "pipe.mp3").c_str(), 0600), 0);
    list_.SetFileTypes({ftArchive, ftReadonly});
    EXPECT_EQ(Captions(), (std::vector<std::string>{"plain.mp3"}));  // a pipe is "system"
    list_.SetFileTypes({ftArchive, ftSystem});
    EXPECT_EQ(Captions(), (std::vector<std::string>{"pipe.mp3", "plain.mp3"}));
}

TEST_F(FileListingTest, FormatsSizesInTenCharactersWithoutLosingBigOnes) {
    EXPECT_EQ(FileListing::SizeText(0), "         0");
    EXPECT_EQ(FileListing::SizeText(2147483647), "2147483647");
    EXPECT_EQ(FileListing::SizeText(2147483648ULL), "2147483648");
    EXPECT_EQ(FileListing::SizeText(123456789012ULL), "123456789012");
    // A sparse file of 3 GiB takes no room on the disk.
    fs::resize_file(dir_.Write("big.mp3", ""), 3ULL << 30);
    list_.SetDirectory(dir_.Path().string());
    EXPECT_EQ(Entry("big.mp3").Columns[0], "3221225472");
}

TEST_F(FileListingTest, ShowsTheChosenColumnsInTheirOrder) {
    dir_.Write("song.mp3", "");
    list_.SetViewColumns({fiAll});
    list_.SetDirectory(dir_.Path().string());
    std::vector<std::string> captions;
    for (const TColumnInfo& column : list_.Columns())
        captions.push_back(column.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Name", "Size", "Type", "Modified", "Created",
                                                  "Last Access", "Attributes", "Dos Name",
                                                  "Dos Ext", "Path"}));
    const FileListEntry& song = Entry("song.mp3");
    ASSERT_EQ(song.Columns.size(), 9u);
    EXPECT_EQ(song.Columns[5], "A");
    EXPECT_EQ(song.Columns[6], "song.mp3");
    EXPECT_EQ(song.Columns[7], ".mp3");
    EXPECT_EQ(song.Columns[8], folder_);
    EXPECT_EQ(Entry("..").Columns[5], "D");

    list_.SetViewColumns({fiName, fiPath});
    ASSERT_EQ(list_.Columns().size(), 3u);
    EXPECT_EQ(list_.Columns()[1].Width, 0);  // Size is always there, hidden
    EXPECT_EQ(list_.ColumnOf(fiPath), 2);
    EXPECT_EQ(list_.ColumnOf(fiType), -1);
    EXPECT_EQ(Entry("song.mp3").SubItem(1), folder_);
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(FileListingTest, SortsByTheClickedColumnWithFoldersFirstBothWays) {
    dir_.Write("a.mp3", "123");
    dir_.Write("B.mp3", "1");
    dir_.Write("c.wav", "12");
    fs::create_directory(dir_.Path() / "y");
    fs::create_directory(dir_.Path() / "X");
    list_.SetViewStyle(TViewStyle::vsReport);
    list_.SetDisplayParentDir(false);
    list_.SetDirectory(dir_.Path().string());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"X", "y", "a.mp3", "B.mp3", "c.wav"}));
    list_.ColumnClick(0);
    EXPECT_TRUE(list_.SortDescending());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"y", "X", "c.wav", "B.mp3", "a.mp3"}));
    list_.ColumnClick(0);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"X", "y", "a.mp3", "B.mp3", "c.wav"}));
    list_.ColumnClick(1);  // size, ascending
    EXPECT_EQ(list_.SortColumn(), fiSize);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"X", "y", "B.mp3", "c.wav", "a.mp3"}));
    list_.ColumnClick(2);  // type; equal types by caption
    EXPECT_EQ(Captions(), (std::vector<std::string>{"X", "y", "a.mp3", "B.mp3", "c.wav"}));
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(FileListingTest, SortsTimesNewestFirst) {
    dir_.Write("old.mp3", "");
    dir_.Write("new.mp3", "");
    SetTime("old.mp3", 1000000000);
    SetTime("new.mp3", 1100000000);
    list_.SetDisplayDirectory(false);
    list_.SetViewStyle(TViewStyle::vsReport);
    list_.SetDirectory(dir_.Path().string());
    list_.SetSortColumn(fiModified);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"new.mp3", "old.mp3"}));
    list_.SetSortColumn(fiModified);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"old.mp3", "new.mp3"}));
    // A column not shown cannot be the sort column.
    list_.SetSortColumn(fiPath);
    EXPECT_EQ(list_.SortColumn(), fiModified);
}

TEST_F(FileListingTest, RaisesOnFileAddForEveryEntryAlsoRefusedOnes) {
    dir_.Write("a.mp3", "");
    dir_.Write("b.txt", "");
    list_.SetDisplayParentDir(false);
    std::vector<std::string> seen;
    list_.OnFileAdd = [&](FileListing& sender, const FileListEntry* item, const std::string& folder,
                          const FindData& data) {
        EXPECT_EQ(&sender, &list_);
        EXPECT_EQ(folder, folder_);
        seen.push_back(data.Name + (item ? "+" + item->Caption : "-"));
    };
    list_.SetDirectory(dir_.Path().string());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"a.mp3+a.mp3", "b.txt-"}));
}

TEST_F(FileListingTest, ADirectoryWrittenWhileListingYieldsWinsAlone) {
    for (int i = 0; i < 5; ++i)
        dir_.Write("one/a" + std::to_string(i) + ".mp3", "");
    dir_.Write("two/b.mp3", "");
    list_.SetDisplayDirectory(false);
    int yields = 0;
    list_.ProcessEvents = [&] {
        // A command arriving in the middle of the first listing lists the other folder.
        if (++yields == 2)
            list_.SetDirectory(dir_.File("two"));
    };
    list_.SetDirectory(dir_.File("one"));
    EXPECT_EQ(list_.Directory(), dir_.File("two") + "/");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"b.mp3"}));
    EXPECT_TRUE(list_.IsConsistent());
}

TEST_F(FileListingTest, AFolderWhoseNameHoldsASemicolonIsListedAsOneFolder) {
    dir_.Write("Live; Paris 1970/song.mp3", "");
    dir_.Write("Live/decoy.mp3", "");
    list_.SetDisplayDirectory(false);
    list_.SetFolder(dir_.File("Live; Paris 1970"));
    EXPECT_EQ(list_.Folders(), (std::vector<std::string>{dir_.File("Live; Paris 1970") + "/"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"song.mp3"}));
}

TEST_F(FileListingTest, TheOldFoldersEntriesAreGoneWhileTheNewOneIsListed) {
    dir_.Write("one/a.mp3", "");
    dir_.Write("two/b.mp3", "");
    dir_.Write("two/c.mp3", "");
    list_.SetDisplayDirectory(false);
    list_.SetFolder(dir_.File("one"));
    ASSERT_EQ(Captions(), (std::vector<std::string>{"a.mp3"}));
    std::vector<std::vector<std::string>> seen;
    list_.ProcessEvents = [&] { seen.push_back(Captions()); };
    list_.SetFolder(dir_.File("two"));
    ASSERT_FALSE(seen.empty());
    for (const auto& shown : seen)
        EXPECT_TRUE(shown.empty()) << "while listing, the list showed " << shown.front();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"b.mp3", "c.mp3"}));
}

TEST_F(FileListingTest, SurvivesBeingDestroyedWhileListingYields) {
    dir_.Write("one/a.mp3", "");
    dir_.Write("one/b.mp3", "");
    auto doomed = std::make_unique<FileListing>(shell_, nullptr);
    doomed->ProcessEvents = [&] { doomed.reset(); };
    doomed->SetDirectory(dir_.File("one"));
    EXPECT_EQ(doomed, nullptr);
}

TEST_F(FileListingTest, UnreadableFolderListsNothing) {
    list_.SetDirectory(dir_.File("missing"));
    EXPECT_EQ(list_.Count(), 0);
}

}  // namespace
