// What the Linux program adds to listening: internet streams opened by address (and the station
// lists named by address), "stop after this entry", ReplayGain, and resuming where the last run
// stopped. The rules are the sequencer's and the logic's; this is the menus and the settings.
#include <QAction>
#include <QInputDialog>

#include "TQuavrel.h"
#include "media/MediaDevice.h"
#include "media/StreamText.h"
#include "playback/ResumePoint.h"
#include "playback/Sequencer.h"
#include "playlist/FileAdder.h"
#include "playlist/RemoteList.h"
#include "services/QtRemoteListFetch.h"

void TQuavrel::OpenLocation1Click() {
    bool accepted = false;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Open Location"),
        QStringLiteral("Address of a stream or a station's play list (http:// or https://):"),
        QLineEdit::Normal, QString(), &accepted);
    if (!accepted)
        return;
    const std::string address = text.trimmed().toStdString();
    if (address.empty())
        return;
    if (!StreamText::IsStreamAddress(address))
        throw std::runtime_error("\"" + address + "\" is not an http:// or https:// address.");
    OpenPaths({address});
}

void TQuavrel::FetchRemoteList(const std::string& address, bool play) {
    if (!remoteLists_)
        remoteLists_ = new QtRemoteListFetch(this);
    remoteLists_->Fetch(
        address, [this, address, play](std::vector<PlayListRecord> streams, std::string error) {
            Guarded([&] {
                if (streams.empty())
                    throw std::runtime_error("The play list " + address +
                                             " could not be added: " + error + ".");
                std::vector<PlayListEntry> entries;
                entries.reserve(streams.size());
                for (PlayListRecord& stream : streams) {
                    PlayListEntry entry = FileAdder::StreamEntry(stream.Path);
                    entry.Caption = std::move(stream.Caption);
                    entries.push_back(std::move(entry));
                }
                const int first = playList_.Append(std::move(entries));
                KeepSorted();
                if (play && first >= 0 && first < playList_.Count()) {
                    playList_.SelectOnly(first);
                    playList_.Focus(first);
                    FileListDblClick();
                }
            });
        });
}

void TQuavrel::StopAfterEntry1Click() {
    sequencer_->StopAfterEntryClick();
    ShowStopAfterEntry();
}

void TQuavrel::ShowStopAfterEntry() {
    for (QAction* action : {StopAfterEntry1, StopAfterEntry2})
        if (action)
            action->setChecked(state_.StopAfterEntry == 1);
}

void TQuavrel::ReplayGainOff1Click() {
    SetReplayGainMode(ReplayGain::Mode::Off);
}

void TQuavrel::ReplayGainTrack1Click() {
    SetReplayGainMode(ReplayGain::Mode::Track);
}

void TQuavrel::ReplayGainAlbum1Click() {
    SetReplayGainMode(ReplayGain::Mode::Album);
}

void TQuavrel::SetReplayGainMode(ReplayGain::Mode mode) {
    replayGain_.mode = mode;
    ApplyReplayGain();
    replayGain_.Write(linuxSettings_);
}

void TQuavrel::ReplayGainClip1Click() {
    replayGain_.preventClipping = !replayGain_.preventClipping;
    ApplyReplayGain();
    replayGain_.Write(linuxSettings_);
}

void TQuavrel::ReplayGainPreamp1Click() {
    bool accepted = false;
    const double db = QInputDialog::getDouble(
        this, QStringLiteral("ReplayGain"), QStringLiteral("Pre-amplification (dB):"),
        replayGain_.preampDb, ReplayGain::MinPreampDb, ReplayGain::MaxPreampDb, 1, &accepted);
    if (!accepted)
        return;
    replayGain_.preampDb = db;
    ApplyReplayGain();
    replayGain_.Write(linuxSettings_);
}

void TQuavrel::ApplyReplayGain() {
    if (services_.setReplayGain)
        services_.setReplayGain(replayGain_);
    const std::pair<QAction*, ReplayGain::Mode> modes[] = {
        {ReplayGainOff1, ReplayGain::Mode::Off},
        {ReplayGainTrack1, ReplayGain::Mode::Track},
        {ReplayGainAlbum1, ReplayGain::Mode::Album}};
    for (const auto& [action, mode] : modes)
        if (action)
            action->setChecked(replayGain_.mode == mode);
    if (ReplayGainClip1)
        ReplayGainClip1->setChecked(replayGain_.preventClipping);
    if (ReplayGainPreamp1)
        ReplayGainPreamp1->setText(
            QStringLiteral("Pre-amplification (%1 dB)...").arg(replayGain_.preampDb, 0, 'f', 1));
}

void TQuavrel::ResumePlayback1Click() {
    const bool on = !ResumePoint::Enabled(linuxSettings_);
    ResumePoint::SetEnabled(linuxSettings_, on);
    if (ResumePlayback1)
        ResumePlayback1->setChecked(on);
}

void TQuavrel::ReadListeningSettings() {
    replayGain_ = ReplayGain::Read(linuxSettings_);
    ApplyReplayGain();
    if (ResumePlayback1)
        ResumePlayback1->setChecked(ResumePoint::Enabled(linuxSettings_));
    pendingResume_.reset();
    if (ResumePoint::Enabled(linuxSettings_))
        pendingResume_ = ResumePoint::Read(linuxSettings_);
}

bool TQuavrel::ResumeIn(const std::string& listFile) {
    // Only the first list loaded after the start can be the one the last run played.
    const std::optional<ResumePoint> point = std::move(pendingResume_);
    pendingResume_.reset();
    if (!point)
        return false;
    const int index = point->Find(listFile, playList_);
    if (index < 0)
        return false;
    sequencer_->ResumeAt(index, point->positionMs);
    return true;
}

void TQuavrel::StoreListeningSettings() {
    // The ReplayGain keys are written when the user sets them: a user who never did gets no
    // quavrel.conf of defaults.
    std::optional<ResumePoint> point;
    const int index = state_.PlayIndex;
    // The default list is what the next start loads; a point in any other list is no use.
    if (ResumePoint::Enabled(linuxSettings_) && MediaPlayer1.Mode() != MediaMode::NotReady &&
        playList_.Contains(index) && playList_.At(index).Path == MediaPlayer1.FileName() &&
        !state_.CurrentListFile.empty() && state_.CurrentListFile == state_.LastPlayListFile)
        point = ResumePoint{state_.LastPlayListFile, index, playList_.At(index).Path,
                            MediaPlayer1.Position(), ResumePoint::Fingerprint(playList_)};
    ResumePoint::Write(linuxSettings_, point);
}
