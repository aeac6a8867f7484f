// Window layouts and appearance: where every component stands, the short form, the toolbar
// toggles, text on buttons, the colour schemes, hot tracking, always on top and resizing.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "ModeStrip.h"
#include "TQuavrel.h"
#include "WindowLook.h"
#include "toolbars/TDock97.h"
#include "toolbars/TDockHost.h"
#include "toolbars/TToolbar97.h"
#include "toolbars/TToolbarButton97.h"
#include "toolbars/TToolbarSep97.h"
#include "toolbars/ToQColor.h"
#include "views/ExplorerPane.h"
#include "views/PlayListStatus.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"

namespace {

// Runs FormResize after every change of the window's size, and of the mode strip's, whose
// width the layout settles only after the window's.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(TQuavrel* window, QWidget* strip) : QObject(window), window_(window) {
        window->installEventFilter(this);
        strip->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            window_->FormResize();
        return false;
    }

private:
    TQuavrel* window_;
};

// Brings the minimum sizes up to date after components were shown or hidden, so that a new
// window size is not held back by the layout as it was.
void SettleLayout(QWidget* window) {
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (window->layout())
        window->layout()->activate();
}

}  // namespace

void TQuavrel::CreateLayout() {
    QWidget* middle = CreateMiddle();
    DockHost = new TDockHost;
    DockHost->setCentralWidget(middle);
    Dock971 = DockHost->Dock(DockSide::Top);
    Dock973 = DockHost->Dock(DockSide::Left);
    Dock974 = DockHost->Dock(DockSide::Bottom);
    Dock975 = DockHost->Dock(DockSide::Right);
    CreateToolbars();
    CreateProgressBar();
    DockHost->AddToolbar(TBFunctions, DockSide::Top);
    DockHost->AddToolbar(TBOPtions, DockSide::Top);
    DockHost->AddToolbar(TBSystem, DockSide::Right);
    DockHost->AddToolbar(TBTrackBar, DockSide::Bottom);
    CreateModeBar();
    CreatePaneSplitter();
    setCentralWidget(PaneSplitter);
    ToggleColorScheme2->setCheckable(true);
    ApplyColorScheme(false);
    TBOPtions->SetLeft(201);  // beside "Functions", where it was designed
    new ResizeWatcher(this, Panel3);
}

QWidget* TQuavrel::CreateMiddle() {
    auto* middle = new QWidget;
    middle->setObjectName(QStringLiteral("Middle"));
    auto* middleLayout = new QVBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->setSpacing(0);
    if (centralWidget() == FileList)
        takeCentralWidget();
    middleLayout->addWidget(FileList);
    StatusLine = new PlayListStatus(playList_, middle);
    middleLayout->addWidget(StatusLine);
    Panel6 = new QFrame(middle);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Paint(Panel6, kSteelBlue);
    auto* image3 = new QLabel(Panel6);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setPixmap(QPixmap(QStringLiteral(":/glyphs/panel.svg")));
    image3->setScaledContents(true);
    image3->setGeometry(0, 0, 600, 200);
    const struct {
        QToolButton* button;
        const char* caption;
        QRect bounds;
    } shortButtons[] = {{Play3, "Play", {5, 4, 52, 29}},
                        {Stop3, "Stop", {59, 4, 55, 29}},
                        {PrevS3, "Previous", {116, 4, 55, 29}},
                        {NextS3, "Next", {173, 4, 55, 29}}};
    for (const auto& spec : shortButtons) {
        spec.button->setParent(Panel6);
        spec.button->setText(QString::fromLatin1(spec.caption));
        spec.button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        spec.button->setStyleSheet(QStringLiteral(
            "QToolButton { color: #00ffff; background: #1f3550; border: 1px solid #0b1424; "
            "font-weight: bold; font-size: 11px; } QToolButton:disabled { color: #4f8a8a; }"));
        spec.button->setGeometry(spec.bounds);
        spec.button->show();
    }
    ToolbarButton976 =
        PictureButton(Panel6, "ToolbarButton976", "", "Full Window", ":/glyphs/fullform.svg");
    ToolbarButton976->setGeometry(230, 4, 39, 28);
    ToolbarButton976->setIconSize(QSize(24, 22));
    connect(ToolbarButton976, &QToolButton::clicked, this,
            [this] { Guarded(&TQuavrel::ShortFormToggl1Click); });
    middleLayout->addWidget(Panel6);
    Panel6->hide();
    return middle;
}

void TQuavrel::CreateToolbars() {
    TBFunctions = new TToolbar97(QStringLiteral("Functions"), "TBFunctions", DockHost);
    TBOPtions = new TToolbar97(QStringLiteral("Options"), "TBOPtions", DockHost);
    TBSystem = new TToolbar97(QStringLiteral("System"), "TBSystem", DockHost);
    TBTrackBar = new TToolbar97(QStringLiteral("Progress Bar"), "TBTrackBar", DockHost);
    TBTrackBar->SetColor(clBlack);
    TBTrackBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    ToolbarButton975 = new TToolbarButton97(QStringLiteral("View"), "ToolbarButton975");
    ToolbarButton975->setToolTip(QStringLiteral("View Options"));
    ToolbarButton975->setMenu(PopupMenu1);
    ToolbarButton975->setPopupMode(QToolButton::InstantPopup);
    // The drop-down arrow would not fit under a 44-pixel caption; the picture shows one.
    ToolbarButton975->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    const struct {
        TToolbar97* bar;
        QAbstractButton* button;
        const char* glyph;
    } placed[] = {{TBFunctions, Play, ":/glyphs/play.svg"},
                  {TBFunctions, Pause, ":/glyphs/stop.svg"},
                  {TBFunctions, PrevS, ":/glyphs/prev.svg"},
                  {TBFunctions, NextS, ":/glyphs/next.svg"},
                  {TBOPtions, MoveFwd, ":/glyphs/fwd.svg"},
                  {TBOPtions, MoveBack, ":/glyphs/back.svg"},
                  {TBOPtions, TBDelete, ":/glyphs/delete.svg"},
                  {TBOPtions, Clear, ":/glyphs/clear.svg"},
                  {TBSystem, Load, ":/glyphs/load.svg"},
                  {TBSystem, Save, ":/glyphs/save.svg"},
                  {TBSystem, ToolbarButton975, ":/glyphs/view.svg"}};
    for (const auto& spec : placed) {
        TToolbarButton97::Dress(spec.button, QString::fromLatin1(spec.glyph));
        spec.bar->addWidget(spec.button);
        spec.button->show();
    }
}

void TQuavrel::CreateProgressBar() {
    // One pixel more on the left puts the LCD at 11 and the track bar at 71, as designed.
    auto* indent = new QWidget;
    indent->setFixedWidth(1);
    TBTrackBar->addWidget(indent);
    TBTrackBar->addWidget(LCDLabel1);
    LCDLabel1->show();
    ToolbarSep971 = new TToolbarSep97("ToolbarSep971");
    TBTrackBar->addWidget(ToolbarSep971);
    TrackBar->setMinimumWidth(20);
    TrackBar->setMaximumWidth(303);
    TrackBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    TBTrackBar->addWidget(TrackBar);
    TrackBar->show();
    CreateVolumeBut();
    VolumeBut->setIcon(QIcon(QStringLiteral(":/glyphs/volume.svg")));
    VolumeBut->setToolButtonStyle(Qt::ToolButtonIconOnly);
    VolumeBut->setAutoRaise(true);
    VolumeBut->setFixedSize(19, 22);
    VolumeBut->setIconSize(QSize(16, 16));
    TBTrackBar->addWidget(VolumeBut);
    VolumeBut->show();
}

void TQuavrel::CreateModeBar() {
    // The mode strip: the innermost row of the bottom dock, full width.
    auto* modeBar = new QToolBar(QStringLiteral("Mode"), DockHost);
    modeBar->setObjectName(QStringLiteral("ModeBar"));
    modeBar->toggleViewAction()->setVisible(false);
    modeBar->setStyleSheet(QStringLiteral(
        "QToolBar#ModeBar { border: none; padding: 0px; spacing: 0px; background: black; }"));
    modeBar->setContentsMargins(0, 0, 0, 0);
    if (modeBar->layout())
        modeBar->layout()->setContentsMargins(0, 0, 0, 0);
    modeBar->addWidget(Panel3);
    Panel3->show();
    DockHost->PinBottom(modeBar);
}

void TQuavrel::CreatePaneSplitter() {
    // The explorer pane over the docks, the two divided by Splitter2.
    PaneSplitter = new QSplitter(Qt::Vertical);
    PaneSplitter->setObjectName(QStringLiteral("PaneSplitter"));
    PaneSplitter->setChildrenCollapsible(false);
    PaneSplitter->setHandleWidth(9);
    PaneSplitter->addWidget(Panel1);
    Panel1->show();
    // The pane may be dragged lower than its buttons need; they are then cut off, not squeezed.
    Panel1->setMinimumHeight(40);
    PaneSplitter->addWidget(DockHost);
    PaneSplitter->setStretchFactor(0, 0);
    PaneSplitter->setStretchFactor(1, 1);
    Splitter2 = PaneSplitter->handle(1);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    PaneSplitter->setStyleSheet(
        QStringLiteral("QSplitter#PaneSplitter::handle { background: black; }"));
    connect(PaneSplitter, &QSplitter::splitterMoved, this,
            [this](int position, int) { explorerHeight_ = position; });
    SetExplorerHeight(151);
}

int TQuavrel::ExplorerHeight() const {
    return explorerHeight_;
}

void TQuavrel::SetExplorerHeight(int height) {
    explorerHeight_ = height;
    if (!PaneSplitter)
        return;
    const int total = std::max(PaneSplitter->height(), height + 200);
    PaneSplitter->setSizes({height, total - height - PaneSplitter->handleWidth()});
}

void TQuavrel::ShortFormToggl1Click() {
    if (Panel6->isHidden()) {
        if (isMaximized())
            showNormal();
        menuBar()->hide();
        HideExplorerAndToolbars(&TQuavrel::ExplorerToggle2Click);
        Panel6->show();
        if (FileList)
            FileList->hide();
        StatusLine->hide();
        ShortForm->hide();
        SettleLayout(this);
        resize(294, 128);
        FormResize();
        return;
    }
    if (isMaximized())
        showNormal();
    menuBar()->show();
    Panel6->hide();
    ExplorerToggle2Click();
    FunctionsToolbar1Click();
    LoadSaveToolbar1Click();
    OptionsToolbar1Click();
    if (FileList)
        FileList->show();
    StatusLine->show();
    ShortForm->show();
    SettleLayout(this);
    resize(406, 455);
    SettleLayout(this);
    SetExplorerHeight(147);
    Panel1->Tree().SetDirectory(state_.BrowseDir);
    FormResize();
}

void TQuavrel::HideExplorerAndToolbars(void (TQuavrel::*explorerToggle)()) {
    if (!Panel1->isHidden())
        (this->*explorerToggle)();
    if (!TBFunctions->isHidden())
        FunctionsToolbar1Click();
    if (!TBOPtions->isHidden())
        OptionsToolbar1Click();
    if (!TBSystem->isHidden())
        LoadSaveToolbar1Click();
}

void TQuavrel::FunctionsToolbar1Click() {
    TBFunctions->setVisible(TBFunctions->isHidden());
    FunctionsToolbar1->setChecked(!TBFunctions->isHidden());
}

void TQuavrel::LoadSaveToolbar1Click() {
    TBSystem->setVisible(TBSystem->isHidden());
    LoadSaveToolbar1->setChecked(!TBSystem->isHidden());
}

void TQuavrel::OptionsToolbar1Click() {
    TBOPtions->setVisible(TBOPtions->isHidden());
    OptionsToolbar1->setChecked(!TBOPtions->isHidden());
}

void TQuavrel::ImageButClick() {
    // The buttons themselves say whether text is shown; the menu item may already have flipped
    // its own check mark when it was clicked.
    const bool show = ToolbarButton975->toolButtonStyle() == Qt::ToolButtonIconOnly;
    ImageBut->setChecked(show);
    for (QToolButton* button : {Play, Pause, PrevS, NextS, ToolbarButton975, TBDelete, MoveBack,
                                MoveFwd, Load, Save, Clear}) {
        if (!button)
            continue;
        TToolbarButton97::ShowCaption(button, show);
        if (show)
            button->setFixedSize(state_.ButtonWidth, state_.ButtonHeight);
        else
            button->setFixedSize(27, 24);
    }
    ImageBut2->setChecked(ImageBut->isChecked());
}

void TQuavrel::ImageBut2Click() {
    ImageButClick();
}

void TQuavrel::SetHotTrack(bool on) {
    hotTrackOn_ = on;
    if (FileList)
        FileList->SetHotTrack(on);
}

void TQuavrel::ToggleHotTrackClick() {
    SetHotTrack(!hotTrackOn_);
    ToggleHotTrack->setChecked(hotTrackOn_);
    HotTrack1->setChecked(hotTrackOn_);
}

void TQuavrel::HotTrack1Click() {
    ToggleHotTrackClick();
}

void TQuavrel::ToggleColorScheme() {
    // Black progress toolbar: the dark scheme is in force.
    ApplyColorScheme(TBTrackBar->Color() == clBlack);
    // The track bar redraws on its parent's new colour only when it is switched off and on.
    if (TrackBar) {
        TrackBar->setEnabled(false);
        TrackBar->setEnabled(true);
    }
}

void TQuavrel::ApplyColorScheme(bool systemColors) {
    const Color face = systemColors ? clBtnFace : kSteelBlue;
    const Color bar = systemColors ? clBtnFace : clBlack;
    TBTrackBar->SetColor(bar);
    PaneSplitter->setStyleSheet(QStringLiteral("QSplitter#PaneSplitter::handle { background: %1; }")
                                    .arg(ToQColor(bar, QGuiApplication::palette()).name()));
    for (TToolbar97* toolbar : {TBFunctions, TBOPtions, TBSystem})
        toolbar->SetColor(face);
    Panel1->Splitter().setStyleSheet(
        QStringLiteral("QSplitter#Splitter1::handle { background: %1; }")
            .arg(ToQColor(face, QGuiApplication::palette()).name()));
    for (TDock97* dock : {Dock971, Dock973, Dock974, Dock975})
        dock->SetColor(clBlack);
    Panel1->Picture().setVisible(!systemColors);
    state_.WindowsColors = systemColors ? 1 : 0;
    ToggleColorScheme2->setChecked(systemColors);
}

void TQuavrel::ToggleColorScheme2Click() {
    ToggleColorScheme();
}

void TQuavrel::AlwaysOnTop1Click() {
    const bool onTop = !(windowFlags() & Qt::WindowStaysOnTopHint);
    const bool shown = isVisible();
    // Changing the style makes a new native window; the widgets, the play list's drop target
    // and the tree's folder go on as they were.
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show();
    AlwaysOnTop1->setChecked(onTop);
}

void TQuavrel::FormResize() {
    if (!DockHost)
        return;
    QWidget* panel7 = Panel3->Panel7();
    panel7->move(Panel6->isHidden() ? Panel3->width() / 2 - panel7->width() / 2 : 0, 0);
    if (TrackBar && !TBTrackBar->isFloating()) {
        // The lefts below are the toolbar's own layout; it may not have run yet.
        if (DockHost->layout())
            DockHost->layout()->activate();
        if (TBTrackBar->layout())
            TBTrackBar->layout()->activate();
        const int width = this->width() - TrackBar->x() - (LCDLabel1 ? LCDLabel1->x() : 0) -
                          (VolumeBut ? VolumeBut->width() : 0) - ToolbarSep971->width();
        TrackBar->setMaximumWidth(std::max(width, TrackBar->minimumWidth()));
        TrackBar->resize(std::max(width, TrackBar->minimumWidth()), TrackBar->height());
    }
}
