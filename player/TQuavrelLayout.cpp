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

#include "TQuavrel.h"
#include "toolbars/TDock97.h"
#include "toolbars/TDockHost.h"
#include "toolbars/TToolbar97.h"
#include "toolbars/TToolbarButton97.h"
#include "toolbars/TToolbarSep97.h"
#include "toolbars/ToQColor.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"

namespace {

constexpr Color kSteelBlue = 0xD7AE6A;
constexpr int kPanel3Height = 26;

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

void Paint(QWidget* widget, Color color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color, palette));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The component another part of the window made, found by its name; null while it is not made.
template <typename T = QWidget>
T* Named(QObject* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

QToolButton* PictureButton(QWidget* parent, const char* name, const char* caption, const char* hint,
                           const char* glyph) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setToolTip(QString::fromLatin1(hint));
    button->setIcon(QIcon(QString::fromLatin1(glyph)));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

}  // namespace

void TQuavrel::CreateLayout() {
    using T = TQuavrel;
    // --- The middle: the play list, or the short form's panel ---
    auto* middle = new QWidget;
    middle->setObjectName(QStringLiteral("Middle"));
    auto* middleLayout = new QVBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->setSpacing(0);
    if (FileList) {
        if (centralWidget() == FileList)
            takeCentralWidget();
        middleLayout->addWidget(FileList);
    }
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
        if (!spec.button)
            continue;
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
            [this] { Guarded(&T::ShortFormToggl1Click); });
    middleLayout->addWidget(Panel6);
    Panel6->hide();

    // --- The docks and the toolbars ---
    DockHost = new TDockHost;
    DockHost->setCentralWidget(middle);
    Dock971 = DockHost->Dock(DockSide::Top);
    Dock973 = DockHost->Dock(DockSide::Left);
    Dock974 = DockHost->Dock(DockSide::Bottom);
    Dock975 = DockHost->Dock(DockSide::Right);

    TBFunctions = new TToolbar97(QStringLiteral("Functions"), "TBFunctions", DockHost);
    TBOPtions = new TToolbar97(QStringLiteral("Options"), "TBOPtions", DockHost);
    TBSystem = new TToolbar97(QStringLiteral("System"), "TBSystem", DockHost);
    TBTrackBar = new TToolbar97(QStringLiteral("Progress Bar"), "TBTrackBar", DockHost);
    TBTrackBar->SetColor(clBlack);
    TBTrackBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);

    const auto dress = [](TToolbar97* bar, QAbstractButton* button, const char* glyph) {
        if (!button)
            return;
        TToolbarButton97::Dress(button, QString::fromLatin1(glyph));
        bar->addWidget(button);
        button->show();
    };
    dress(TBFunctions, Play, ":/glyphs/play.svg");
    dress(TBFunctions, Pause, ":/glyphs/stop.svg");
    dress(TBFunctions, PrevS, ":/glyphs/prev.svg");
    dress(TBFunctions, NextS, ":/glyphs/next.svg");
    dress(TBOPtions, MoveFwd, ":/glyphs/fwd.svg");
    dress(TBOPtions, MoveBack, ":/glyphs/back.svg");
    dress(TBOPtions, TBDelete, ":/glyphs/delete.svg");
    dress(TBOPtions, Clear, ":/glyphs/clear.svg");
    dress(TBSystem, Load, ":/glyphs/load.svg");
    dress(TBSystem, Save, ":/glyphs/save.svg");
    ToolbarButton975 = new TToolbarButton97(QStringLiteral("View"), "ToolbarButton975");
    ToolbarButton975->setToolTip(QStringLiteral("View Options"));
    ToolbarButton975->setMenu(PopupMenu1);
    ToolbarButton975->setPopupMode(QToolButton::InstantPopup);
    // The drop-down arrow would not fit under a 44-pixel caption; the picture shows one.
    ToolbarButton975->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    dress(TBSystem, ToolbarButton975, ":/glyphs/view.svg");

    // One pixel more on the left puts the LCD at 11 and the track bar at 71, as designed.
    auto* indent = new QWidget;
    indent->setFixedWidth(1);
    TBTrackBar->addWidget(indent);
    if (LCDLabel1) {
        TBTrackBar->addWidget(LCDLabel1);
        LCDLabel1->show();
    }
    ToolbarSep971 = new TToolbarSep97("ToolbarSep971");
    TBTrackBar->addWidget(ToolbarSep971);
    if (TrackBar) {
        TrackBar->setMinimumWidth(20);
        TrackBar->setMaximumWidth(303);
        TrackBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        TBTrackBar->addWidget(TrackBar);
        TrackBar->show();
    }
    CreateVolumeBut();
    if (VolumeBut) {
        VolumeBut->setIcon(QIcon(QStringLiteral(":/glyphs/volume.svg")));
        VolumeBut->setToolButtonStyle(Qt::ToolButtonIconOnly);
        VolumeBut->setAutoRaise(true);
        VolumeBut->setFixedSize(19, 22);
        VolumeBut->setIconSize(QSize(16, 16));
        TBTrackBar->addWidget(VolumeBut);
        VolumeBut->show();
    }

    DockHost->AddToolbar(TBFunctions, DockSide::Top);
    DockHost->AddToolbar(TBOPtions, DockSide::Top);
    DockHost->AddToolbar(TBSystem, DockSide::Right);
    DockHost->AddToolbar(TBTrackBar, DockSide::Bottom);

    // --- The mode strip: the innermost row of the bottom dock, full width ---
    QWidget* panel3 = Panel3;
    if (!panel3) {
        auto* frame = new QFrame;
        frame->setObjectName(QStringLiteral("Panel3"));
        frame->setFrameShape(QFrame::Panel);
        frame->setFrameShadow(QFrame::Sunken);
        panel3 = frame;
    }
    Paint(panel3, kSteelBlue);
    panel3->setFixedHeight(kPanel3Height);
    panel3->setMinimumWidth(0);
    panel3->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (!Named(panel3, "Image1")) {
        auto* image1 = new QLabel(panel3);
        image1->setObjectName(QStringLiteral("Image1"));
        image1->setPixmap(QPixmap(QStringLiteral(":/glyphs/panel.svg")));
        image1->setScaledContents(true);
        image1->setGeometry(0, 0, 2000, kPanel3Height);
    }
    Panel3 = panel3;
    QWidget* panel7 = Panel7;
    if (!panel7) {
        panel7 = new QWidget;
        panel7->setObjectName(QStringLiteral("Panel7"));
        Panel7 = panel7;
    }
    panel7->setParent(panel3);
    Paint(panel7, kSteelBlue);
    panel7->setGeometry(0, 0, 400, kPanel3Height);
    panel7->show();
    panel7->raise();  // over the strip's picture

    ToolbarButton972 = PictureButton(panel7, "ToolbarButton972", "MD", "Make this PlayList Default",
                                     ":/glyphs/default.svg");
    ToolbarButton972->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(ToolbarButton972, &QToolButton::clicked, this,
            [this] { Guarded(&T::ToolbarButton972Click); });
    ShortForm = PictureButton(panel7, "ShortForm", "", "Short Form", ":/glyphs/shortform.svg");
    connect(ShortForm, &QToolButton::clicked, this, [this] { Guarded(&T::ShortFormToggl1Click); });

    // Lamps at both ends of each mode button, then the preview length, "MD" and the short form.
    const struct {
        QWidget* left;
        QToolButton* button;
        QWidget* right;
    } modes[] = {
        {LedS, Shuffle, AMAdvLed1}, {LedL, TBLoop, AMAdvLed2}, {LedP, TBPlayMode, AMAdvLed3}};
    int x = 3;
    for (const auto& mode : modes) {
        if (QWidget* lamp = mode.left) {
            lamp->setParent(panel7);
            lamp->setGeometry(x, 6, 13, 13);
            lamp->show();
        }
        if (mode.button) {
            mode.button->setParent(panel7);
            mode.button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            mode.button->setAutoRaise(true);
            mode.button->setGeometry(x + 15, 2, 58, 22);
            mode.button->show();
        }
        if (QWidget* lamp = mode.right) {
            lamp->setParent(panel7);
            lamp->setGeometry(x + 75, 6, 13, 13);
            lamp->show();
        }
        x += 94;
    }
    if (PMLen) {
        PMLen->setParent(panel7);
        PMLen->setGeometry(x, 3, 28, 20);
        PMLen->show();
    }
    QLabel* sec = Named<QLabel>(this, "Sec");
    if (!sec) {
        sec = new QLabel(QStringLiteral("Sec"));
        sec->setObjectName(QStringLiteral("Sec"));
    }
    sec->setParent(panel7);
    sec->setGeometry(x + 30, 5, 22, 16);
    sec->show();
    ToolbarButton972->setGeometry(x + 54, 2, 26, 22);
    ShortForm->setGeometry(x + 82, 2, 26, 22);
    ShortForm->setIconSize(QSize(18, 18));

    auto* modeBar = new QToolBar(QStringLiteral("Mode"), DockHost);
    modeBar->setObjectName(QStringLiteral("ModeBar"));
    modeBar->toggleViewAction()->setVisible(false);
    modeBar->setStyleSheet(QStringLiteral(
        "QToolBar#ModeBar { border: none; padding: 0px; spacing: 0px; background: black; }"));
    modeBar->setContentsMargins(0, 0, 0, 0);
    if (modeBar->layout())
        modeBar->layout()->setContentsMargins(0, 0, 0, 0);
    modeBar->addWidget(panel3);
    panel3->show();
    DockHost->PinBottom(modeBar);

    // --- The explorer pane over the docks, the two divided by Splitter2 ---
    PaneSplitter = new QSplitter(Qt::Vertical);
    PaneSplitter->setObjectName(QStringLiteral("PaneSplitter"));
    PaneSplitter->setChildrenCollapsible(false);
    PaneSplitter->setHandleWidth(9);
    if (!Panel1) {
        // The explorer pane is made elsewhere; until it is, its place stays empty.
        Panel1 = new QWidget;
        Panel1->setObjectName(QStringLiteral("Panel1"));
    }
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

    // The temporary strip of the transport controls gives way to the toolbars.
    if (QToolBar* strip = Named<QToolBar>(this, "TransportStrip")) {
        // Deleted now, not later: the tree lets pending events run while the window is shown,
        // and a deferred delete would then change the window's children under its feet.
        removeToolBar(strip);
        delete strip;
    }
    setCentralWidget(PaneSplitter);
    ToggleColorScheme2->setCheckable(true);
    ApplyColorScheme(false);
    TBOPtions->SetLeft(201);  // beside "Functions", where it was designed
    new ResizeWatcher(this, Panel3);
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
    ShortForm->show();
    SettleLayout(this);
    resize(406, 455);
    SettleLayout(this);
    SetExplorerHeight(147);
    if (dirtree1)
        dirtree1->SetDirectory(state_.BrowseDir);
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
    if (Splitter1)
        Splitter1->setStyleSheet(QStringLiteral("QSplitter#Splitter1::handle { background: %1; }")
                                     .arg(ToQColor(face, QGuiApplication::palette()).name()));
    for (TDock97* dock : {Dock971, Dock973, Dock974, Dock975})
        dock->SetColor(clBlack);
    if (Image2)
        Image2->setVisible(!systemColors);
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
    if (Panel7 && Panel3) {
        const bool full = Panel6->isHidden();
        Panel7->move(full ? Panel3->width() / 2 - Panel7->width() / 2 : 0, 0);
    }
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
