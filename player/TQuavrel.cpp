#include "TQuavrel.h"
#include "views/PlayListStatus.h"

#include <QIcon>
#include <QTimer>

#include "ControlStates.h"
#include "PlaybackWidgets.h"
#include "filter/TFileTypeBox.h"
#include "media/MediaDevice.h"
#include "playback/Sequencer.h"
#include "playlist/EntryTracker.h"
#include "playlist/PlayListEditor.h"
#include "playlist/PlayListWatcher.h"
#include "services/MessageBox.h"
#include "services/ShellInfo.h"
#include "tags/TagScanner.h"
#include "views/TFileView.h"
#include "widgets/TAboutBox.h"
#include "widgets/TTrayIcon.h"

TQuavrel::TQuavrel(QuavrelServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), MediaPlayer1(services_.media) {
    setObjectName(QStringLiteral("Quavrel"));
    setWindowTitle(QStringLiteral("Quavrel v2.0"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quavrel.svg")));
    resize(410, 458);

    CreateMenus();
    CreateTray();
    CreateComponents();
    CreateLayout();
    MakeAccessible();

    MediaPlayer1.SetAutoRewind(true);
    MediaPlayer1.SetOnNotify([this] { Guarded(&TQuavrel::MediaPlayer1Notify); });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(200);
    connect(Timer, &QTimer::timeout, this, [this] {
        Guarded(&TQuavrel::TimerTimer);
        if (afterTick_)
            afterTick_();
    });
    Timer->start();

    FormCreate();
}

TQuavrel::~TQuavrel() {
    // The media device belongs to main(); it is closed with the window, as designed.
    MediaPlayer1.SetOnNotify({});
    MediaPlayer1.Close();
    // The play list view and the status line watch playList_, a member that dies before the
    // window's children.
    delete FileList;
    delete StatusLine;
}

void TQuavrel::CreateComponents() {
    // The play list view, the explorer pane, the displays and the toolbars are created here,
    // each by the function of its concern.
    CreateTransport();
    CreatePlayListView();
    CreateDisplays();
    CreateLogic();
    CreateExplorer();
}

void TQuavrel::CreateDialogs() {
    FileTypeBox = new TFileTypeBox(state_.FilterList, state_.FilteringOn, this);
    AboutBox = new TAboutBox(this);
    AboutBox->setObjectName(QStringLiteral("AboutBox"));
}

void TQuavrel::CreateTray() {
    TrayIcon = new TTrayIcon(this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->SetIcon(QIcon(QStringLiteral(":/icons/quavrel.svg")));
    TrayIcon->SetPopupMenu(TrayPopUp);
    TrayIcon->OnClick = [this] { Guarded(&TQuavrel::TrayIconClick); };
    TrayIcon->OnDblClick = [this] { Guarded(&TQuavrel::TrayIconDblClick); };
    TrayIcon->OnRightClick = [this] { Guarded(&TQuavrel::TrayIconRightClick); };
    TrayIcon->SetActive(true);
    TrayIcon->SetToolTip(QStringLiteral("Welcome to Quavrel v1.1"));
}

void TQuavrel::Guarded(void (TQuavrel::*handler)()) {
    Guarded([this, handler] { (this->*handler)(); });
}

void TQuavrel::Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TQuavrel::ShowException(const std::exception& error) {
    services_.messages.Show("Quavrel", error.what(), MessageBox::Icon::Error,
                            MessageBox::Buttons::Ok);
}

void TQuavrel::TrayIconClick() {
    if (isVisible())
        hide();
    else {
        show();
        raise();
        activateWindow();
    }
}

void TQuavrel::TrayIconDblClick() {}

void TQuavrel::TrayIconRightClick() {}
