#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeClock.h"
#include "fakes/FakeMediaDevice.h"
#include "playback/PlaybackDisplay.h"
#include "playback/PlayerState.h"
#include "playback/Sequencer.h"
#include "playlist/PlayList.h"

// The displays as plain fields; a change of the preview length runs PMLenChange, as the box's
// change handler does in the window.
class RecordingDisplay final : public PlaybackDisplay {
public:
    void SetCaption(const std::string& text) override { caption = text; }
    void SetToolTip(const std::string& text) override { toolTip = text; }
    void SetTrackBarMax(std::int64_t value) override { trackMax = value; }
    void SetTrackBarPosition(std::int64_t value) override {
        trackPosition = std::clamp<std::int64_t>(value, 0, trackMax);
    }
    std::int64_t TrackBarPosition() const override { return trackPosition; }
    std::string LcdCaption() const override { return lcd; }
    void SetLcdCaption(const std::string& text) override { lcd = text; }
    bool PreviewLengthEnabled() const override { return previewEnabled; }
    std::string PreviewLength() const override { return previewLength; }
    void SetPreviewLength(const std::string& text) override {
        previewLength = text;
        if (onPreviewChange)
            onPreviewChange();
    }

    std::string caption = "Quavrel v2.0";
    std::string toolTip = "Welcome to Quavrel v1.1";
    std::int64_t trackMax = 255;
    std::int64_t trackPosition = 0;
    std::string lcd;
    bool previewEnabled = false;
    std::string previewLength = "5";
    std::function<void()> onPreviewChange;
};

// A play list of files the fake device can open, and a sequencer over it with a fixed clock.
class SequencerFixture : public ::testing::Test {
protected:
    SequencerFixture() : sequencer_(state_, list_, device_, display_, clock_) {
        device_.SetOnNotify([this] { sequencer_.MediaPlayer1Notify(); });
        display_.onPreviewChange = [this] { sequencer_.PMLenChange(); };
    }

    // Entries "s0".."s(n-1)" playing /m/s<i>.wav of lengthMs each.
    void AddEntries(int count, std::int64_t lengthMs = 10000) {
        for (int i = 0; i < count; ++i) {
            const std::string name = "s" + std::to_string(i);
            device_.AddFile("/m/" + name + ".wav", lengthMs);
            list_.Append(PlayListEntry{name, "WAV audio", "/m/" + name + ".wav", 0});
        }
    }
    // The entry the device has open, by caption; "" when none is open.
    std::string Playing() const {
        if (device_.Mode() == MediaMode::NotReady)
            return "";
        for (int i = 0; i < list_.Count(); ++i)
            if (list_.At(i).Path == device_.FileName())
                return list_.At(i).Caption;
        return "?";
    }
    // Plays the open file to its end and delivers the notice, as the event loop would.
    void FinishFile() {
        device_.PlayToEnd();
        device_.DeliverNotices();
        ASSERT_TRUE(list_.IsConsistent());
    }
    void Tick() { sequencer_.TimerTimer(true); }

    PlayerState state_;
    PlayList list_;
    FakeMediaDevice device_;
    RecordingDisplay display_;
    FakeClock clock_{12345678};
    Sequencer sequencer_;
};
