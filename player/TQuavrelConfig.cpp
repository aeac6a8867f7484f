// The configuration file: read at start, written at close, removed by the reset command.
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <filesystem>

#include "ControlStates.h"
#include "TQuavrel.h"
#include "config/ConfigFormat.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/SettingBounds.h"
#include "config/WindowsDirFile.h"
#include "filter/FileTypeFilter.h"
#include "services/MessageBox.h"
#include "textfile/TextLineReader.h"
#include "toolbars/TDockHost.h"
#include "toolbars/TToolbar97.h"
#include "views/ExplorerPane.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"

namespace {

// The start-up play list when none has been made default.
constexpr std::string_view kDefaultPlayListName = "default.qpl";

const char* StyleWord(TViewStyle style) {
    switch (style) {
        case TViewStyle::vsIcon:
            return "Large Icon";
        case TViewStyle::vsSmallIcon:
            return "Small Icon";
        case TViewStyle::vsReport:
            return "Detailed";
        case TViewStyle::vsList:
            break;
    }
    return "List";
}

// Every screen's available area together; unknown without a screen.
ScreenArea ScreensArea() {
    QRect all;
    for (const QScreen* screen : QGuiApplication::screens())
        all = all.united(screen->availableGeometry());
    return all.isEmpty() ? ScreenArea{} : ScreenArea{all.x(), all.y(), all.width(), all.height()};
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - window.rect().center());
    }
}

}  // namespace

TToolbar97* TQuavrel::ToolbarOf(ToolbarId id) const {
    switch (id) {
        case ToolbarId::Options:
            return TBOPtions;
        case ToolbarId::System:
            return TBSystem;
        case ToolbarId::Functions:
            return TBFunctions;
        case ToolbarId::TrackBar:
            break;
    }
    return TBTrackBar;
}

// Applies each value of the file to the window as it is read.
class TQuavrel::WindowConfigTarget final : public ConfigTarget {
public:
    explicit WindowConfigTarget(TQuavrel& window) : w_(window) {}

    void SetLastPlayListFile(const std::string& path) override {
        w_.state_.LastPlayListFile = path;
    }
    void SetViewStyle(const std::string& word) override {
        if (word == "Detailed") {
            w_.Detailed2Click();
            return;
        }
        if (!w_.FileList)
            return;
        w_.FileList->SetViewStyle(word == "Large Icon"   ? TViewStyle::vsIcon
                                  : word == "Small Icon" ? TViewStyle::vsSmallIcon
                                                         : TViewStyle::vsList);
    }
    // A hidden window is maximized without being shown; line 27 decides that.
    void Maximize() override { w_.setWindowState(w_.windowState() | Qt::WindowMaximized); }
    // Each value as read, an absurd one taking its default; once the height is known, the
    // whole window is brought onto the screens.
    void SetFormLeft(std::int32_t left) override {
        w_.move(BoundedPosition(left, 0, kMinPosition, kMaxPosition), w_.y());
    }
    void SetFormTop(std::int32_t top) override {
        w_.move(w_.x(), BoundedPosition(top, 0, kMinPosition, kMaxPosition));
    }
    void SetFormWidth(std::int32_t width) override {
        w_.resize(BoundedSize(width, 1, ConfigState{}.width, area_.width), w_.height());
    }
    void SetFormHeight(std::int32_t height) override {
        w_.resize(w_.width(), BoundedSize(height, 1, ConfigState{}.height, area_.height));
        const WindowRect placed = KeepOnScreen({w_.x(), w_.y(), w_.width(), w_.height()}, area_);
        w_.move(placed.left, placed.top);
        w_.resize(placed.width, placed.height);
    }
    void HideExplorer() override {
        w_.Panel1->hide();
        w_.Splitter2->hide();
    }
    void SetExplorerHeight(std::int32_t height) override {
        w_.SetExplorerHeight(BoundedSize(height, 0, ConfigState{}.explorerHeight, area_.height));
    }
    void SetToolbarDock(ToolbarId toolbar, DockSide dock) override {
        w_.ToolbarOf(toolbar)->SetDockedTo(w_.DockHost->Dock(dock));
    }
    // In a dock from 0, floating on the screens: either way within the screens' extent.
    void SetToolbarLeft(ToolbarId toolbar, std::int32_t left) override {
        w_.ToolbarOf(toolbar)->SetLeft(BoundedPosition(
            left, 0, std::min(0, area_.left), area_.Known() ? area_.left + area_.width : left));
    }
    void SetToolbarTop(ToolbarId toolbar, std::int32_t top) override {
        w_.ToolbarOf(toolbar)->SetTop(BoundedPosition(
            top, 0, std::min(0, area_.top), area_.Known() ? area_.top + area_.height : top));
    }
    void SetTrackBarWidth(std::int32_t width) override {
        if (!w_.TrackBar)
            return;
        width = BoundedSize(width, 0, ConfigState{}.trackBarWidth, area_.width);
        w_.TrackBar->setMaximumWidth(std::max(width, w_.TrackBar->minimumWidth()));
        w_.TrackBar->resize(width, w_.TrackBar->height());
    }
    void SetTrackBarHeight(std::int32_t height) override {
        if (w_.TrackBar)
            w_.TrackBar->setFixedHeight(
                BoundedSize(height, 0, ConfigState{}.trackBarHeight, area_.height));
    }
    void ShowForm() override { w_.show(); }
    void SetHotTrack(bool on) override {
        w_.SetHotTrack(on);
        w_.ToggleHotTrack->setChecked(on);
    }
    void HideToolbar(ToolbarId toolbar) override {
        if (toolbar == ToolbarId::Functions)
            w_.FunctionsToolbar1Click();
        else if (toolbar == ToolbarId::System)
            w_.LoadSaveToolbar1Click();
        else
            w_.OptionsToolbar1Click();
    }
    void AfterToolbarOptions() override {
        w_.HotTrack1->setChecked(w_.ToggleHotTrack->isChecked());
    }
    // The toggles bring their check marks and lamps in step; the flag starts opposite.
    void SetLoop(bool on) override {
        w_.state_.LoopOn = on ? 0 : 1;
        w_.TBLoopClick();
    }
    void SetShuffle(bool on) override {
        w_.state_.ShuffleOn = on ? 0 : 1;
        w_.ShuffleClick();
    }
    void TextOff() override { w_.ImageButClick(); }
    void FilteringOff() override { w_.state_.FilteringOn = 0; }
    void SetPlayListDir(const std::string& folder) override { w_.state_.PlayListDir = folder; }
    void UseNormalColors() override { w_.ToggleColorScheme(); }
    void SetBrowseDir(const std::string& folder) override {
        w_.Panel1->Tree().SetDirectory(folder);
        w_.state_.BrowseDir = w_.Panel1->Tree().Directory();
    }

private:
    // Positions as read stay within what a window system takes; the screens decide at the end.
    static constexpr std::int32_t kMinPosition = -kAbsurdPixels + 1;
    static constexpr std::int32_t kMaxPosition = kAbsurdPixels - 1;

    TQuavrel& w_;
    const ScreenArea area_ = ScreensArea();
};

void TQuavrel::LoadConfig() {
    try {
        LoadFilterFile(WindowsDirFile(services_.settingsFolder, kFilterFileName),
                       *state_.FilterList);
        playList_.Clear();
        linuxSettings_ =
            LinuxSettings::Read(WindowsDirFile(services_.settingsFolder, kLinuxSettingsFileName));
        ReadListeningSettings();
        ApplyLinuxSettings();
        const std::string path = WindowsDirFile(services_.settingsFolder, kConfigFileName);
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            CentreOnScreen(*this);
            show();
            return;
        }
        TextLineReader reader = TextLineReader::FromFile(path);
        WindowConfigTarget target(*this);
        if (!ApplyConfig(reader, target)) {
            CentreOnScreen(*this);
            show();
            return;
        }
        controls_->ShowShuffle(state_.ShuffleOn == 1);
        controls_->ShowLoop(state_.LoopOn == 1);
        controls_->ShowPreview(state_.PlayMode == 1);
        LoadIt(state_.LastPlayListFile);
    } catch (const std::exception& error) {
        // The rest of the start-up is skipped; the window stays as far as it got.
        ShowException(error);
    }
    ShowUnlessReachable();
}

void TQuavrel::ShowUnlessReachable() {
    if (!isVisible() && !(services_.trayAvailable && services_.trayAvailable()))
        show();
}

void TQuavrel::SaveConfig() {
    if (!Panel6->isHidden())
        ShortFormToggl1Click();
    SaveFilterFile(WindowsDirFile(services_.settingsFolder, kFilterFileName), *state_.FilterList);

    if (state_.LastPlayListFile.empty())
        state_.LastPlayListFile = WindowsDirFile(services_.settingsFolder, kDefaultPlayListName);
    ConfigState state;
    state.lastPlayListFile = state_.LastPlayListFile;
    if (FileList)
        state.viewStyle = StyleWord(FileList->ViewStyle());
    state.maximized = isMaximized();
    state.left = x();
    state.top = y();
    state.width = width();
    state.height = height();
    state.explorerVisible = !Panel1->isHidden();
    state.explorerHeight = ExplorerHeight();
    for (ToolbarId id : kToolbarFileOrder)
        state.Toolbar(id) = DockHost->PlaceOf(ToolbarOf(id));
    if (TrackBar) {
        // The width the track bar is given; the toolbar may not have laid it out yet.
        state.trackBarWidth = TrackBar->maximumWidth() < QWIDGETSIZE_MAX ? TrackBar->maximumWidth()
                                                                         : TrackBar->width();
        state.trackBarHeight = TrackBar->height();
    }
    state.formVisible = isVisible();
    state.hotTrack = HotTrackOn();
    state.functionsVisible = !TBFunctions->isHidden();
    state.systemVisible = !TBSystem->isHidden();
    state.optionsVisible = !TBOPtions->isHidden();
    state.loop = state_.LoopOn == 1;
    state.shuffle = state_.ShuffleOn == 1;
    state.textOnButtons = ImageBut->isChecked();
    state.browseDir = Panel1->Tree().Directory();
    state.filtering = state_.FilteringOn == 1;
    state.playListDir = state_.PlayListDir;
    state.normalColors = state_.WindowsColors == 1;
    WriteConfig(WindowsDirFile(services_.settingsFolder, kConfigFileName), state);
    StoreListeningSettings();
    StoreLinuxSettings();
    linuxSettings_.Write(WindowsDirFile(services_.settingsFolder, kLinuxSettingsFileName));
}

void TQuavrel::ResetQuavrel1Click() {
    const auto answer = services_.messages.Show(
        "Confirmation",
        "Do you really want to reset Quavrel?\r\rNOTE: You will have to Restart Quavrel after "
        "this operation!",
        MessageBox::Icon::None, MessageBox::Buttons::YesNo);
    if (answer != MessageBox::Answer::Yes)
        return;
    std::error_code error;
    const std::string config = WindowsDirFile(services_.settingsFolder, kConfigFileName);
    if (std::filesystem::exists(config, error))
        std::filesystem::remove(config, error);
    const std::string filter = WindowsDirFile(services_.settingsFolder, kFilterFileName);
    if (std::filesystem::exists(filter, error))
        std::filesystem::remove(filter, error);
    std::filesystem::remove(WindowsDirFile(services_.settingsFolder, kLinuxSettingsFileName),
                            error);
    // The program ends at once, without the close handling: nothing is written again.
    closed_ = true;
    close();
    QApplication::quit();
}

void TQuavrel::ToolbarButton972Click() {
    state_.LastPlayListFile = playList_.Empty() ? std::string() : state_.CurrentListFile;
}
