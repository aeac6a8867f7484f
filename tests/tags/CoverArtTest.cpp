#include "tags/CoverArt.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/FakeTagReader.h"
#include "fakes/QueuedUiPost.h"
#include "support/TempDir.h"

namespace {

class CoverArtTest : public ::testing::Test {
protected:
    // Asks until the background look has answered.
    std::string Answer(CoverArt& art, const std::string& path) {
        art.PictureFor(path);
        EXPECT_TRUE(post_.WaitForCall());
        post_.RunAll();
        return art.PictureFor(path);
    }

    TempDir dir_;
    std::string folder_ = dir_.File("cache/covers");
    FakeTagReader reader_;
    QueuedUiPost post_;
};

TEST_F(CoverArtTest, AnEmbeddedCoverIsWrittenOnceForEveryFileThatCarriesIt) {
    const std::string one = dir_.Write("album/01.flac", "a");
    const std::string two = dir_.Write("album/02.flac", "b");
    reader_.AddCover(one, {"image/png", "\x89PNG picture"});
    reader_.AddCover(two, {"image/png", "\x89PNG picture"});
    dir_.Write("album/cover.jpg", "the folder's picture, second choice");
    CoverArt art(reader_, folder_, post_);
    int found = 0;
    art.SetOnFound([&] { ++found; });
    EXPECT_EQ(art.PictureFor(one), "");  // not known yet: looked for in the background
    const std::string picture = Answer(art, one);
    ASSERT_NE(picture, "");
    EXPECT_EQ(picture.rfind(folder_, 0), 0u);
    EXPECT_EQ(picture.substr(picture.size() - 4), ".png");
    EXPECT_EQ(TempDir::Read(picture), "\x89PNG picture");
    EXPECT_EQ(Answer(art, two), picture);  // the same picture, the same file
    EXPECT_EQ(found, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(CoverArtTest, APictureBesideTheFileServesWhenNoneIsEmbedded) {
    const std::string song = dir_.Write("a/song.mp3", "a");
    const std::string picture = dir_.Write("a/Folder.JPG", "jpeg");
    const std::string bare = dir_.Write("b/song.mp3", "b");
    dir_.Write("b/notes.txt", "no picture here");
    CoverArt art(reader_, folder_, post_);
    EXPECT_EQ(Answer(art, song), picture);
    art.PictureFor(bare);
    ASSERT_TRUE(post_.WaitForCall());
    post_.RunAll();
    EXPECT_EQ(art.PictureFor(bare), "");
    EXPECT_FALSE(std::filesystem::exists(folder_));  // nothing written for them
}

TEST_F(CoverArtTest, AFolderThatTakesNoFileMeansNoPicture) {
    const std::string song = dir_.Write("album/01.flac", "a");
    reader_.AddCover(song, {"image/jpeg", "jpeg bytes"});
    dir_.Write("cache", "a file where the folder would be");
    CoverArt art(reader_, folder_, post_);
    EXPECT_EQ(Answer(art, song), "");
}

}  // namespace
