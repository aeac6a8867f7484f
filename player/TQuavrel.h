#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "views/PlayList.h"

class Clock;
class Dialogs;
class MediaDevice;
class MessageBox;
class QAction;
class QActionGroup;
class QMenu;
class QLineEdit;
class QSlider;
class QTimer;
class QToolButton;
class EntryTracker;
class PlaybackWidgets;
class PlayListEditor;
class PlayListWatcher;
class Sequencer;
class ShellInfo;
class TFileView;
class TAboutBox;
class TFileTypeBox;
class TTrayIcon;
class TLCDLabel;
class TAMAdvLed;
class TVolForm;
class QSplitter;
class QLabel;
class Tdirtree;
class TFileList;
class TDock97;
class TDockHost;
class TToolbar97;
class TToolbarSep97;
class MixerApi;
class TAudioMixer;

// What the main window needs of the platform; main() passes the real services, tests fakes.
// The window uses them for its whole life and owns none of them.
struct QuavrelServices {
    MediaDevice& media;
    Clock& clock;
    MessageBox& messages;
    Dialogs& dialogs;
    std::string settingsFolder;           // where Qvrl.ini and Qvrl.flt live
    std::function<bool()> trayAvailable;  // the desktop shows tray icons
};

// The main window: owns every component and the state the play list logic shares, and wires
// each event to its handler. Handlers live in files by concern (TQuavrelPlayback.cpp, ...).
class TQuavrel : public QMainWindow {
    Q_OBJECT

public:
    explicit TQuavrel(QuavrelServices services, QWidget* parent = nullptr);
    ~TQuavrel() override;

    // --- Shared state (plain fields, read and written by every concern) ---
    std::uint8_t ShuffleOn = 0;
    std::uint8_t PlayMode = 0;
    std::uint8_t LoopOn = 1;
    std::int32_t PreviewTicks = 0;
    std::string LastPlayListFile;
    std::string CurrentListFile;
    std::string PlayListDir;
    std::string BrowseDir;
    int DragSourceItem = -1;  // index of the entry a reordering drag started on; -1 none
    std::uint8_t ShowRemaining = 0;
    std::string NowPlayingText;
    std::int32_t PlayIndex = 0;
    std::unique_ptr<std::vector<std::string>> FilterList;
    std::uint8_t FilteringOn = 1;
    std::uint8_t WindowsColors = 0;
    std::int32_t ButtonWidth = 44;
    std::int32_t ButtonHeight = 41;

    // --- Components ---
    PlayList PlayListModel;  // the entries of FileList, with their selected and focused marks
    MediaDevice& MediaPlayer1;
    QTimer* Timer = nullptr;
    TTrayIcon* TrayIcon = nullptr;
    // The other three windows, made after this one by main(); none until then.
    TFileTypeBox* FileTypeBox = nullptr;
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
            *ImageBut2 = nullptr, *HotTrack1 = nullptr;
    QAction *FunctionsToolbar1 = nullptr, *LoadSaveToolbar1 = nullptr, *OptionsToolbar1 = nullptr,
            *Help1 = nullptr;
    QAction *FIleTypeFilter1 = nullptr, *LoadPlayList1 = nullptr, *SavePlayList1 = nullptr,
            *LoopN = nullptr, *Shuffle1 = nullptr, *PreviewN = nullptr, *Play1 = nullptr,
            *Pause1 = nullptr, *Next = nullptr, *Skip = nullptr, *AlwaysOnTop1 = nullptr,
            *Exit1 = nullptr;
    QAction *Rename1 = nullptr, *Delete1 = nullptr, *SaveSelected = nullptr, *Clear1 = nullptr;
    QAction *List = nullptr, *Detailed1 = nullptr, *Name2 = nullptr, *Type2 = nullptr,
            *ShortFormToggl2 = nullptr, *ExplorerToggle1 = nullptr, *FolderToggle1 = nullptr,
            *ImageBut = nullptr, *ToggleHotTrack = nullptr, *ToggleColorScheme2 = nullptr;

    // Transport, mode and list buttons, the preview length and the track bar: plain widgets
    // made by CreateTransport; the toolbars and the short form place them.
    QToolButton *Play = nullptr, *Pause = nullptr, *PrevS = nullptr, *NextS = nullptr;
    QToolButton *Play3 = nullptr, *Stop3 = nullptr, *PrevS3 = nullptr, *NextS3 = nullptr;
    QToolButton *TBDelete = nullptr, *MoveBack = nullptr, *MoveFwd = nullptr, *Clear = nullptr;
    QToolButton *Load = nullptr, *Save = nullptr;
    QToolButton *Shuffle = nullptr, *TBLoop = nullptr, *TBPlayMode = nullptr;
    QLineEdit* PMLen = nullptr;
    QSlider* TrackBar = nullptr;
    // The play list view: shows PlayListModel and writes the user's clicks back into it.
    TFileView* FileList = nullptr;

    // --- Life cycle ---
    void FormCreate();
    void FormClose();
    void Exit1Click();
    void Exit2Click();
    void Help1Click();

    // --- Play order and transport ---
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

    // --- Progress ---
    void TimerTimer();
    void TrackBarChange();
    void LCDLabel1Click();

    // --- Play list editing and views ---
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
    // The emptiness rule: the transport and list controls are enabled while the list has entries.
    void FileListChange();
    void FileListFileDrop(const std::vector<std::string>& files, int x, int y);
    void FileListDblClick();
    void FileListClick();
    void FileListMouseDown(Qt::MouseButton button, int x, int y);
    void FileListMouseUp(Qt::MouseButton button, int x, int y);

    // --- Play list files and the type filter ---
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

    // --- Files from the desktop (TQuavrelOpen.cpp) ---
    // Local paths from the command line, a later start or the media player interface: when
    // the first names a play list file, it is loaded as LoadIt does and the rest are added;
    // otherwise all are added as a drop adds them and the first new entry plays. Returns
    // whether the play list took anything.
    bool OpenFiles(const std::vector<std::string>& paths);
    // Answers later starts under id, as the single-copy check of the tray icon: their files
    // are opened and the window comes forward.
    void AnswerLaterCopies(const QString& id);
    // Shows the window, restored and in front, as the tray's click does for a hidden one.
    void BringForward();

    // --- Explorer pane (TQuavrelExplorer.cpp) ---
    // Panel1 holds, left to right, dirtree1, Splitter1, the button strip Panel2 (the picture
    // Image2 behind five buttons) and ExpList; CreateLayout places Panel1 itself.
    QWidget* Panel1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    Tdirtree* dirtree1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* Image2 = nullptr;
    QToolButton *ToolbarButton974 = nullptr, *CDUp = nullptr, *AddFiles = nullptr,
                *ToolbarButton973 = nullptr, *ToolbarButton971 = nullptr;
    TFileList* ExpList = nullptr;
    // Makes the pane; runs after the play list view exists, whose drag hooks it sets.
    void CreateExplorer();
    void dirtree1Change();
    void dirtree1Click();
    void ExpListClick();
    void ExpListDblClick();
    void ExpListEndDrag(QWidget* target);  // target: the view the drag ended on, or null
    void ToolbarButton974Click();
    void CDUpClick();
    void AddFilesClick();
    void ToolbarButton973Click();
    void ToolbarButton971Click();
    void ExplorerToggle1Click();
    void ExplorerToggle2Click();
    void FolderTogClick();
    void FolderToggle1Click();

    // --- Layout and appearance ---
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

    // --- Configuration ---
    void LoadConfig();
    void SaveConfig();
    void ResetQuavrel1Click();

    // --- Tray ---
    void TrayIconClick();
    void TrayIconDblClick();
    void TrayIconRightClick();

    // --- Displays (TQuavrelDisplays.cpp) ---
    // The progress LCD and the six mode lamps, one at each end of the "Shuffle", "Loop" and
    // "Preview" buttons, made by CreateDisplays in the mode strip Panel3 (holding Panel7);
    // CreateLayout moves them where they belong. Each left lamp's handler lights its twin.
    TLCDLabel* LCDLabel1 = nullptr;
    TAMAdvLed *LedS = nullptr, *AMAdvLed1 = nullptr, *LedL = nullptr, *AMAdvLed2 = nullptr,
              *LedP = nullptr, *AMAdvLed3 = nullptr;
    QWidget *Panel3 = nullptr, *Panel7 = nullptr;
    void CreateDisplays();  // runs before CreateLayout
    void LedSLedStateChanged(TAMAdvLed* sender, bool ledOn, int numSwitch);
    void LedLLedStateChanged(TAMAdvLed* sender, bool ledOn, int numSwitch);
    void LedPLedStateChanged(TAMAdvLed* sender, bool ledOn, int numSwitch);

    // --- Window layout (TQuavrelLayout.cpp, TQuavrelConfig.cpp) ---
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
    void CreateLayout();  // places every component; runs after all the others are made
    void FormResize();
    void ToggleColorScheme();
    void ApplyColorScheme(bool systemColors);  // every element of both schemes
    void ToolbarButton972Click();
    bool HotTrackOn() const { return hotTrackOn_; }
    void SetHotTrack(bool on);
    int ExplorerHeight() const;
    void SetExplorerHeight(int height);
    // A start that left the window hidden shows it anyway when no tray could bring it back.
    void ShowUnlessReachable();
    bool hotTrackOn_ = true;
    int explorerHeight_ = 151;

    // --- Volume (TQuavrelVolume.cpp) ---
    // Mixer on device 0, made by CreateVolume; its deleter lives with TAudioMixer's definition,
    // so this header needs no more than a declaration.
    std::unique_ptr<TAudioMixer, void (*)(TAudioMixer*)> Mixer{nullptr, nullptr};
    QToolButton* VolumeBut = nullptr;  // for the "Progress Bar" toolbar; made by CreateVolumeBut
    // Makes VolumeBut (hint "Volume") once and returns it; any mouse button pressed on it
    // runs VolumeButMouseDown.
    QToolButton* CreateVolumeBut();
    // Makes Mixer on the api (which must outlive the window) and the hidden pop-up VolForm;
    // main() calls it once, after the window is made, as the last of the program's windows.
    void CreateVolume(MixerApi& mixerApi);
    void VolumeButMouseDown();
    void MixerControlChange();

    // Shows the text of an error that a handler did not catch, and goes on.
    void ShowException(const std::exception& error);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateComponents();
    void CreateMenus();
    void CreateTray();
    void CreateTransport();
    // Keeps the list in caption order while sorting by name is on; does nothing otherwise.
    void KeepSorted();
    // Adds dropped files at the end, a play list file by its entries, then sorts when sorting
    // is on; with makeCurrent, as a drop does (the first file's entry becomes the current one).
    // Returns the path of the first new entry, none when nothing was added.
    std::optional<std::string> AppendFiles(const std::vector<std::string>& files, bool makeCurrent);
    // The play list view's AddFile for a dropped path: a play list file adds its entries and
    // gives the first one's index; listFailed is set when some of them could not be added.
    int AddDropped(const std::string& path, bool& listFailed);
    // The box that says some entries of a play list file could not be added.
    void ShowListFailure();
    // Hides the explorer pane through the given toggle handler, then each toolbar still shown.
    void HideExplorerAndToolbars(void (TQuavrel::*explorerToggle)());
    // Runs a handler as the message loop would: an escaping exception becomes a message box.
    void Guarded(void (TQuavrel::*handler)());
    QAction* AddItem(QMenu* menu, const char* caption, void (TQuavrel::*handler)(),
                     const QKeySequence& shortcut = {});

    QuavrelServices services_;
    std::unique_ptr<ShellInfo> shellInfo_;
    std::unique_ptr<PlaybackWidgets> playbackWidgets_;
    std::unique_ptr<Sequencer> sequencer_;
    std::unique_ptr<PlayListEditor> editor_;
    std::unique_ptr<EntryTracker> dragTracker_;
    std::unique_ptr<PlayListWatcher> listWatcher_;
    bool sortByName_ = false;  // the "Name" items' tick; the items' own toggling is not trusted
    bool sortPending_ = false;
    bool afterDblClick_ = false;  // the release that ends a double-click is no click of its own
    std::string lastOpenedList_;  // the open dialog offers the file it last returned
    bool closed_ = false;
};
