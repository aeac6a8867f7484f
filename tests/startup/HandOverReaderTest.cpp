#include "startup/HandOverReader.h"

#include <gtest/gtest.h>

namespace {

using State = HandOverReader::State;

TEST(HandOverReaderTest, TakesTheNameLineAndTheHandOverUpToItsEmptyLineInAnyPieces) {
    const std::string message = "quavrel-1234\n/a%20b.flac\n/c.ogg\n\nignored";
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{7}, message.size()}) {
        HandOverReader reader;
        State state = State::Reading;
        for (std::size_t at = 0; at < message.size() && state == State::Reading; at += piece)
            state = reader.Feed(std::string_view(message).substr(at, piece));
        ASSERT_EQ(state, State::Complete) << piece;
        EXPECT_EQ(reader.Name(), "quavrel-1234");
        EXPECT_EQ(reader.HandOver(), "/a%20b.flac\n/c.ogg\n\n");
    }
    HandOverReader forward;  // nothing but "come forward"
    EXPECT_EQ(forward.Feed(" quavrel-1\r\n\n"), State::Complete);
    EXPECT_EQ(forward.Name(), "quavrel-1");
    EXPECT_EQ(forward.HandOver(), "\n");
}

TEST(HandOverReaderTest, AStartThatGoesAwayEarlyGivesWhatCameAfterItsName) {
    HandOverReader older;  // sends its name alone and closes
    EXPECT_EQ(older.Feed("quavrel-1\n"), State::Reading);
    EXPECT_EQ(older.Close(), State::Complete);
    EXPECT_EQ(older.Name(), "quavrel-1");
    EXPECT_EQ(older.HandOver(), "");

    HandOverReader cut;
    cut.Feed("quavrel-1\n/a.ogg\n/b");
    EXPECT_EQ(cut.Close(), State::Complete);
    EXPECT_EQ(cut.HandOver(), "/a.ogg\n/b");

    HandOverReader nameless;
    nameless.Feed("quavrel-1");
    EXPECT_EQ(nameless.Close(), State::Dropped);
    EXPECT_EQ(nameless.Name(), "");
}

TEST(HandOverReaderTest, AMessageOverTheLimitIsDroppedWithoutKeepingIt) {
    HandOverReader reader;
    const std::string chunk(64 * 1024, 'x');  // no line end at all
    State state = State::Reading;
    std::size_t fed = 0;
    while (state == State::Reading && fed < 2 * HandOverReader::kMaxBytes) {
        state = reader.Feed(chunk);
        fed += chunk.size();
    }
    EXPECT_EQ(state, State::Dropped);
    EXPECT_GT(fed, HandOverReader::kMaxBytes);
    EXPECT_LE(fed, HandOverReader::kMaxBytes + chunk.size());
    EXPECT_EQ(reader.Feed("\n\n"), State::Dropped);  // and stays dropped
    EXPECT_EQ(reader.Close(), State::Dropped);

    // Just under the limit, with its end, is a hand-over.
    HandOverReader full;
    std::string big = "id\n" + std::string(HandOverReader::kMaxBytes - 5, 'p') + "\n\n";
    EXPECT_EQ(full.Feed(big), State::Complete);
    EXPECT_EQ(full.HandOver().size(), HandOverReader::kMaxBytes - 3);
}

}  // namespace
