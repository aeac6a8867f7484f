#pragma once

#include <QMainWindow>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/LinuxSettings.h"
#include "media/ReplayGain.h"
#include "mpris/PlayerControl.h"
#include "playback/PlayerState.h"
#include "playback/ResumePoint.h"
#include "playlist/PlayList.h"

class Clock;
class ControlStates;
class Dialogs;
class EntryTracker;
class ExplorerPane;
class JumpToFileBox;
class FileAdder;
class MediaDevice;
class MessageBox;
class MixerApi;
class ModeStrip;
class PlaybackWidgets;
class PlayListEditor;
class PlayListStatus;
class PlayListWatcher;
class QtRemoteListFetch;
class QAction;
class QLineEdit;
class QMenu;
class QSlider;
class QSplitter;
class QTimer;
class QToolButton;
class Sequencer;
class ShellInfo;
class TAMAdvLed;
class TAboutBox;
class TAudioMixer;
class TDock97;
class TDockHost;
class TFileTypeBox;
class TFileView;
class TagScanner;
class TLCDLabel;
class TToolbar97;
class TToolbarSep97;
class TTrayIcon;
class TVolForm;
enum class ToolbarId;

// What the main window needs of the platform; main() passes the real services, tests fakes.
// The window uses them for its whole life and owns none of them.
struct QuavrelServices {
    MediaDevice& media;
    Clock& clock;
    MessageBox& messages;
    Dialogs& dialogs;
    std::string settingsFolder;           // where Qvrl.ini and Qvrl.flt live
    std::function<bool()> trayAvailable;  // the desktop shows tray icons
    // Gives the ReplayGain setting to the media device that plays (none in tests).
    std::function<void(const ReplayGain&)> setReplayGain = {};
};

// The main window: owns every component and the state the play list logic shares, and wires
// each event to its handler. Handlers live in files by concern (TQuavrelPlayback.cpp, ...).
// Its components are its own: a test finds one by its object name, which is the member's.
class TQuavrel : public QMainWindow, public PlayerControl {
    Q_OBJECT

public:
    explicit TQuavrel(QuavrelServices services, QWidget* parent = nullptr);
    ~TQuavrel() override;

    // The state every concern shares, and the play list the view shows.
    PlayerState& State() { return state_; }
    const PlayerState& State() const { return state_; }
    PlayList& PlayListModel() { return playList_; }
    const PlayList& PlayListModel() const { return playList_; }
    // The one writer of the controls that follow the window's state (emptiness, modes, long
    // jobs); made with the window.
    ControlStates& Controls() { return *controls_; }

    // The other windows, made after this one by main() in this order: the type filter dialog
    // and the About window, then (CreateVolume) the mixer and the volume pop-up.
    void CreateDialogs();
    // Makes Mixer on the api (which must outlive the window) and the hidden pop-up VolForm.
    void CreateVolume(MixerApi& mixerApi);

    // --- Life cycle (TQuavrelLifecycle.cpp) ---
    void FormCreate();
    void FormClose();
    void Exit1Click();
    void Exit2Click();
    void Help1Click();

    // --- Play order and transport (TQuavrelPlayback.cpp) ---
    void OpenAndPlay();
    void PlayFile();
    void NextSClick();
    void PrevSClick();
    void PlayClick();
    void PauseClick();
    void MediaPlayer1Notify();
    void ShuffleClick();
    void TBLoopClick();
    void TBPlayModeClick();
    void Play1Click();
    void Play2Click();
    void Pause1Click();
    void Pause2Click();
    void NextClick();
    void NextSong1Click();
    void SkipClick();
    void PrevSong1Click();
    void Shuffle1Click();
    void Shuffle2Click();
    void LoopNClick();
    void Loop1Click();
    void PreviewNClick();
    void Preview1Click();
    void PMLenChange();
    void PMLenClick();

    // --- Progress (TQuavrelProgress.cpp) ---
    void TimerTimer();
    void TrackBarChange();
    void LCDLabel1Click();

    // --- Play list editing and views (TQuavrelEditing.cpp) ---
    void DeleteSelected1Click();
    void ClearPlayList1Click();
    void MoveBack1Click();
    void MoveFwd1Click();
    void RenameFileinPlayList1Click();
    void Rename();
    void Delete1Click();
    void Clear1Click();
    void List1Click();
    void Detailed2Click();
    void ListClick();
    void Detailed1Click();
    void Name1Click();
    void Type1Click();
    void Name2Click();
    void Type2Click();
    void TBDeleteClick();
    void ClearClick();
    void MoveBackClick();
    void MoveFwdClick();
    // The emptiness rule: the transport and list controls are enabled while the list has entries
    // (ControlStates::FollowEmptiness); an empty list also clears the LCD, track bar and title.
    void FileListChange();
    void FileListFileDrop(const std::vector<std::string>& files, int x, int y);
    void FileListDblClick();
    void FileListClick();
    void FileListMouseDown(Qt::MouseButton button, int x, int y);
    void FileListMouseUp(Qt::MouseButton button, int x, int y);

    // --- Columns, captions from tags, finding an entry (TQuavrelColumns.cpp, TQuavrelJump.cpp) ---
    // "Titles from Tags": entries that still show their file's name are captioned from their
    // tags when these arrive.
    void TitlesfromTags1Click();
    // "Jump to File" (Sequence menu and tray menu, Ctrl+J): opens the window that finds an
    // entry by typed words.
    void JumpToFile1Click();
    void JumpToFile2Click();
    // A click on a column's header in "Detailed": sorts the list by that column, ascending, or
    // reversed when the same header was clicked last. PlayIndex stays on its entry.
    void FileListColumnClick(int column);
    // Plays the entry at index as a click and a double-click on it would.
    void PlayEntry(int index);

    // --- Play list files, long work and the type filter (TQuavrelFiles.cpp) ---
    void Open1Click();
    void Save1Click();
    void SaveSelected1Click();
    void SaveSelectedClick();
    void LoadPlayList1Click();
    void SavePlayList1Click();
    void FileTypes1Click();
    void FIleTypeFilter1Click();
    void LoadClick();
    void SaveClick();
    void LoadPlayList();
    void LoadIt(const std::string& fileName);
    void SavePlayList(bool selectedOnly);
    // Runs work that may take long on the list (a folder walk, a drop, a list load) under a
    // progress dialog shown after half a second; work hands the hook to the FileAdder. The
    // commands that change the list are disabled meanwhile, and another long work refused.
    void LongWork(const char* what,
                  const std::function<void(const std::function<bool(int found)>&)>& work);
    // The box that says some entries of a play list file could not be added.
    void ShowListFailure();

    // --- Tags (TQuavrelFiles.cpp) ---
    // Starts the background scan of the play list's tags; main() makes it over PlayListModel()
    // once the window has painted, and the window owns it from then on.
    void StartTagScan(std::unique_ptr<TagScanner> scanner);
    // The play list view shows rows first..last (inclusive): their tags are read first. Cheap;
    // does nothing before the scan starts.
    void PlayListRowsShown(int first, int last);

    // --- Explorer pane (TQuavrelExplorer.cpp): showing and hiding it; its own commands are
    // ExplorerPane's ---
    void ExplorerToggle1Click();
    void ExplorerToggle2Click();
    void FolderTogClick();
    void FolderToggle1Click();

    // --- Files from the desktop (TQuavrelOpen.cpp) ---
    // Local paths from the command line, a later start or the media player interface: when
    // the first names a play list file, it is loaded as LoadIt does and the rest are added;
    // otherwise all are added as a drop adds them and the first new entry plays. Returns
    // whether the play list took anything. An error shows its message box here. Files that
    // come while other work on the list runs wait for it to end (true is returned for them).
    bool OpenFiles(const std::vector<std::string>& paths);
    // Answers later starts under id, as the single-copy check of the tray icon: their files
    // are opened and the window comes forward (Raise).
    void AnswerLaterCopies(const QString& id);
    // The play list view's AddFile for a dropped or added path: a play list file adds its
    // entries and gives the first one's index; listFailed is set when some of them could not
    // be added.
    int AddDropped(const std::string& path, bool& listFailed);

    // --- Layout and appearance (TQuavrelLayout.cpp) ---
    void ShortFormToggl1Click();
    void ImageBut2Click();
    void ImageButClick();
    void HotTrack1Click();
    void ToggleHotTrackClick();
    void ToggleColorScheme2Click();
    void FunctionsToolbar1Click();
    void LoadSaveToolbar1Click();
    void OptionsToolbar1Click();
    void AlwaysOnTop1Click();

    // --- Configuration (TQuavrelConfig.cpp) ---
    void LoadConfig();
    void SaveConfig();
    void ResetQuavrel1Click();
    void ToolbarButton972Click();

    // --- Tray (TQuavrel.cpp) ---
    void TrayIconClick();
    void TrayIconDblClick();
    void TrayIconRightClick();

    // --- Window layout (TQuavrelLayout.cpp) ---
    void FormResize();
    bool HotTrackOn() const { return hotTrackOn_; }
    int ExplorerHeight() const;

    // --- Listening (TQuavrelListening.cpp): streams by address, stop after this entry,
    // ReplayGain, resuming the last run ---
    // Asks for an http:// or https:// address and opens it as the command line would.
    void OpenLocation1Click();
    // Fetches the station list at address in the background and adds its streams; with play,
    // the first of them plays. Errors show their message box when the answer comes.
    void FetchRemoteList(const std::string& address, bool play);
    void StopAfterEntry1Click();
    void ReplayGainOff1Click();
    void ReplayGainTrack1Click();
    void ReplayGainAlbum1Click();
    void ReplayGainClip1Click();
    void ReplayGainPreamp1Click();
    void ResumePlayback1Click();

    // --- Volume (TQuavrelVolume.cpp) ---
    // Makes VolumeBut (hint "Volume") once and returns it; any mouse button pressed on it
    // runs VolumeButMouseDown.
    QToolButton* CreateVolumeBut();
    void VolumeButMouseDown();
    void MixerControlChange();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct MenuItem;
    class WindowConfigTarget;

    // Listening: the ticks follow the state; the settings go to and from quavrel.conf.
    void ShowStopAfterEntry();
    void SetReplayGainMode(ReplayGain::Mode mode);
    void ApplyReplayGain();
    void ReadListeningSettings();
    void StoreListeningSettings();
    // Plays the last run's entry from its position when listFile, just loaded, is its list;
    // false (nothing done) otherwise. Only the first load after the start can resume.
    bool ResumeIn(const std::string& listFile);

    // --- PlayerControl (TQuavrelControl.cpp): for the media player interface ---
    // Shows the window, restored and in front; also what a later start's hand-over does.
    void Raise() override;
    void Quit() override;
    void PlaySelected() override;
    void StopPlaying() override;
    void PlayNext() override;
    void PlayPrevious() override;
    void ToggleLoop() override;
    void ToggleShuffle() override;
    void SeekTo(std::int64_t positionMs) override;
    bool AddAndPlay(const std::string& path) override;
    void SetVolume(int steps) override;
    void ShowError(const std::string& text) override;
    const PlayListEntry* CurrentEntry() const override;
    bool LoopOn() const override;
    bool ShuffleOn() const override;
    const std::vector<std::string>& FilterList() const override;
    std::int64_t TrackBarMax() const override;
    bool HasVolume() const override;
    std::optional<int> Volume() const override;
    bool CanPlay() const override;
    bool CanPause() const override;
    bool CanGoNext() const override;
    bool CanGoPrevious() const override;
    bool CanSeek() const override;
    void SetWatchers(std::function<void()> afterTick, std::function<void()> afterSeek) override;

    // --- Building (in this order; each in the file of its concern) ---
    void CreateMenus();  // TQuavrelMenus.cpp
    void CreateMainMenu();
    void CreateViewMenu();
    void CreateTrayMenu();
    void CreatePopUps();
    void AddItems(QMenu* menu, std::initializer_list<MenuItem> items);
    void CreateTray();        // TQuavrel.cpp
    void CreateComponents();  // TQuavrel.cpp
    void CreateTransport();   // TQuavrelPlayback.cpp: buttons, the mode strip, the track bar
    void CreateModeStrip();
    void CreatePlayListView();  // also TQuavrelPlayback.cpp
    void CreateDisplays();      // TQuavrelDisplays.cpp: the LCD
    // The sequencer, the editor and the play list's watchers, over the widgets made before.
    void CreateLogic();
    // The explorer pane (TQuavrelExplorer.cpp); runs after the play list view exists, whose
    // drag hooks it sets.
    void CreateExplorer();
    // TQuavrelLayout.cpp: places every component; runs after all the others are made.
    void CreateLayout();
    QWidget* CreateMiddle();  // the play list, or the short form's panel Panel6
    void CreateToolbars();
    void CreateProgressBar();  // the "Progress Bar" toolbar's contents
    void CreateModeBar();
    void CreatePaneSplitter();
    // TQuavrelAccess.cpp: names for screen readers, the Tab order and the keyboard's keys.
    void MakeAccessible();

    // --- Helpers, by the file that defines them ---
    // TQuavrelLayout.cpp
    void ToggleColorScheme();
    void ApplyColorScheme(bool systemColors);  // every element of both schemes
    void SetHotTrack(bool on);
    void SetExplorerHeight(int height);
    // Hides the explorer pane through the given toggle handler, then each toolbar still shown.
    void HideExplorerAndToolbars(void (TQuavrel::*explorerToggle)());
    // TQuavrelConfig.cpp
    // A start that left the window hidden shows it anyway when no tray could bring it back.
    void ShowUnlessReachable();
    TToolbar97* ToolbarOf(ToolbarId id) const;
    // TQuavrel.cpp
    // Shows the text of an error that a handler did not catch, and goes on.
    void ShowException(const std::exception& error);
    // Runs a handler as the message loop would: an escaping exception becomes a message box.
    void Guarded(const std::function<void()>& handler);
    void Guarded(void (TQuavrel::*handler)());
    // TQuavrelColumns.cpp
    // The settings of quavrel.conf this window shows (columns, "Titles from Tags"): taken from
    // linuxSettings_ when it is read, put back before it is written.
    void ApplyLinuxSettings();
    void StoreLinuxSettings();
    // The watcher that captions entries from their tags while "Titles from Tags" is on.
    void CreateTagCaptions();
    // TQuavrelEditing.cpp
    // Keeps the list in caption order while sorting by name is on; does nothing otherwise.
    void KeepSorted();
    // TQuavrelOpen.cpp
    bool OpenPaths(const std::vector<std::string>& paths);  // OpenFiles, unguarded
    // Opens the next files that came while other work on the list ran, once it has ended.
    void OpenQueued();
    // Adds dropped files at the end, a play list file by its entries, then sorts when sorting
    // is on; with makeCurrent, as a drop does (the first file's entry becomes the current one).
    // Returns the path of the first new entry, none when nothing was added.
    std::optional<std::string> AppendFiles(const std::vector<std::string>& files, bool makeCurrent);

    QuavrelServices services_;
    PlayerState state_;
    // quavrel.conf: the Linux-only settings, read before Qvrl.ini and written after it.
    LinuxSettings linuxSettings_;
    PlayList playList_;      // the entries of FileList, with their selected and focused marks
    bool listBusy_ = false;  // a LongWork runs
    std::function<bool(int found)> workProgress_;  // its progress hook, for the adds it makes
    // Files from later starts and the bus that came while a load or an open was at work (its
    // progress dialog and message boxes let them in), taken in turn when it ends.
    std::deque<std::vector<std::string>> queuedOpens_;
    bool opening_ = false;
    MediaDevice& MediaPlayer1;

    // --- Components, named as the design names them ---
    QTimer* Timer = nullptr;
    TTrayIcon* TrayIcon = nullptr;
    TFileTypeBox* FileTypeBox = nullptr;  // the other windows: none until main() makes them
    TAboutBox* AboutBox = nullptr;
    TVolForm* VolForm = nullptr;

    // Menus and their items, named as the handlers they run (Open1 runs Open1Click).
    QMenu* TrayPopUp = nullptr;
    QMenu* ItemPopUp = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction *Open1 = nullptr, *Save1 = nullptr, *SaveSelected1 = nullptr, *FileTypes1 = nullptr,
            *ResetQuavrel1 = nullptr, *Exit2 = nullptr;
    QAction *DeleteSelected1 = nullptr, *ClearPlayList1 = nullptr, *MoveBack1 = nullptr,
            *MoveFwd1 = nullptr, *RenameFileinPlayList1 = nullptr;
    QAction *NextSong1 = nullptr, *PrevSong1 = nullptr, *Play2 = nullptr, *Pause2 = nullptr,
            *Loop1 = nullptr, *Shuffle2 = nullptr, *Preview1 = nullptr;
    QAction *List1 = nullptr, *Detailed2 = nullptr, *Name1 = nullptr, *Type1 = nullptr,
            *ShortFormToggl1 = nullptr, *ExplorerToggle2 = nullptr, *FolderTog = nullptr,
            *ImageBut2 = nullptr, *HotTrack1 = nullptr, *TitlesfromTags1 = nullptr;
    QAction *FunctionsToolbar1 = nullptr, *LoadSaveToolbar1 = nullptr, *OptionsToolbar1 = nullptr,
            *Help1 = nullptr;
    QAction *FIleTypeFilter1 = nullptr, *LoadPlayList1 = nullptr, *SavePlayList1 = nullptr,
            *LoopN = nullptr, *Shuffle1 = nullptr, *PreviewN = nullptr, *Play1 = nullptr,
            *Pause1 = nullptr, *Next = nullptr, *Skip = nullptr, *AlwaysOnTop1 = nullptr,
            *Exit1 = nullptr;
    QAction *JumpToFile1 = nullptr, *JumpToFile2 = nullptr;
    QAction *Rename1 = nullptr, *Delete1 = nullptr, *SaveSelected = nullptr, *Clear1 = nullptr;
    QAction *List = nullptr, *Detailed1 = nullptr, *Name2 = nullptr, *Type2 = nullptr,
            *ShortFormToggl2 = nullptr, *ExplorerToggle1 = nullptr, *FolderToggle1 = nullptr,
            *ImageBut = nullptr, *ToggleHotTrack = nullptr, *ToggleColorScheme2 = nullptr;

    // Transport and list buttons, the track bar: plain widgets made by CreateTransport; the
    // toolbars and the short form place them. The mode buttons and PMLen are the mode strip's.
    QToolButton *Play = nullptr, *Pause = nullptr, *PrevS = nullptr, *NextS = nullptr;
    QToolButton *Play3 = nullptr, *Stop3 = nullptr, *PrevS3 = nullptr, *NextS3 = nullptr;
    QToolButton *TBDelete = nullptr, *MoveBack = nullptr, *MoveFwd = nullptr, *Clear = nullptr;
    QToolButton *Load = nullptr, *Save = nullptr;
    QToolButton *Shuffle = nullptr, *TBLoop = nullptr, *TBPlayMode = nullptr;
    QLineEdit* PMLen = nullptr;
    QSlider* TrackBar = nullptr;
    // The play list view: shows playList_ and writes the user's clicks back into it.
    TFileView* FileList = nullptr;
    PlayListStatus* StatusLine = nullptr;     // below the play list: entries, length, selection
    JumpToFileBox* JumpToFileBox_ = nullptr;  // made when first asked for
    ExplorerPane* Panel1 = nullptr;
    // The mode strip Panel3 with its lamps; the progress LCD, which the "Progress Bar" holds.
    ModeStrip* Panel3 = nullptr;
    TAMAdvLed *LedS = nullptr, *LedL = nullptr, *LedP = nullptr;
    TLCDLabel* LCDLabel1 = nullptr;

    // The docks and toolbars live in DockHost, a QMainWindow inside this one, so that the
    // explorer pane sits above the top dock and the mode strip stays full width over the
    // bottom one. Splitter2 is the handle between the explorer pane and DockHost.
    TDockHost* DockHost = nullptr;
    TDock97 *Dock971 = nullptr, *Dock973 = nullptr, *Dock974 = nullptr, *Dock975 = nullptr;
    TToolbar97 *TBFunctions = nullptr, *TBOPtions = nullptr, *TBSystem = nullptr,
               *TBTrackBar = nullptr;
    TToolbarSep97* ToolbarSep971 = nullptr;
    QToolButton *ToolbarButton975 = nullptr, *ToolbarButton972 = nullptr, *ShortForm = nullptr,
                *ToolbarButton976 = nullptr;
    QSplitter* PaneSplitter = nullptr;  // holds the explorer pane and DockHost
    QWidget *Splitter2 = nullptr, *Panel6 = nullptr;
    QToolButton* VolumeBut = nullptr;  // for the "Progress Bar" toolbar; made by CreateVolumeBut
    // Mixer on device 0, made by CreateVolume; its deleter lives with TAudioMixer's definition,
    // so this header needs no more than a declaration.
    std::unique_ptr<TAudioMixer, void (*)(TAudioMixer*)> Mixer{nullptr, nullptr};

    std::unique_ptr<ShellInfo> shellInfo_;
    std::unique_ptr<FileAdder> adder_;  // every entry the play list gets is made here
    std::unique_ptr<PlaybackWidgets> playbackWidgets_;
    std::unique_ptr<ControlStates> controls_;
    std::unique_ptr<Sequencer> sequencer_;
    std::unique_ptr<PlayListEditor> editor_;
    std::unique_ptr<EntryTracker> dragTracker_;
    std::unique_ptr<PlayListWatcher> listWatcher_;
    std::unique_ptr<PlayListObserver> tagCaptions_;
    bool hotTrackOn_ = true;
    int explorerHeight_ = 151;
    bool sortByName_ = false;  // the "Name" items' tick; the items' own toggling is not trusted
    bool sortPending_ = false;
    int sortColumn_ = -1;  // the column a header click last sorted by, and in which direction
    bool sortDescending_ = false;
    bool afterDblClick_ = false;  // the release that ends a double-click is no click of its own
    std::string lastOpenedList_;  // the open dialog offers the file it last returned
    int openFilterIndex_ = 1;     // each dialog offers the type last chosen in it first
    int saveFilterIndex_ = 1;
    bool closed_ = false;
    bool saveRefused_ = false;         // a close could not write the settings and said why
    std::function<void()> afterTick_;  // PlayerControl's watchers
    std::function<void()> afterSeek_;

    QAction *OpenLocation1 = nullptr, *StopAfterEntry1 = nullptr, *StopAfterEntry2 = nullptr,
            *ReplayGainOff1 = nullptr, *ReplayGainTrack1 = nullptr, *ReplayGainAlbum1 = nullptr,
            *ReplayGainClip1 = nullptr, *ReplayGainPreamp1 = nullptr, *ResumePlayback1 = nullptr;
    ReplayGain replayGain_;
    std::optional<ResumePoint> pendingResume_;  // read at start, used by the first load
    QtRemoteListFetch* remoteLists_ = nullptr;  // made at the first station list, a child
    // Declared after playList_, which it watches, so it goes first.
    std::unique_ptr<TagScanner> tagScanner_;
};
