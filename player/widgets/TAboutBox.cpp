#include "TAboutBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QTimer>

#include "AboutAnimation.h"
#include "TURL.h"

namespace {

constexpr int kClientWidth = 373;
constexpr int kClientHeight = 209;
const QColor kBackground(0, 128, 192);  // 0xC08000
const QColor kTitleBar(128, 128, 255);  // 0xFF8080
const QColor kAqua(0, 255, 255);
const QColor kLabelText(255, 255, 255);
const QColor kLinkText(255, 255, 128);

// One of the window's pictures, drawn from its SVG at the size it is shown.
QPixmap Picture(const QString& name, QSize size, qreal pixelRatio) {
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/about/%1.svg").arg(name));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QFont PixelFont(int pixelSize, bool bold = false) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& colour,
                  int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
    label->move(left, top);
    return label;
}

AboutRect RectOf(const QWidget* widget) {
    const QRect g = widget->geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void SetRect(QWidget* widget, const AboutRect& rect) {
    const QRect wanted(rect.Left, rect.Top, rect.Width, rect.Height);
    if (widget->geometry() != wanted)
        widget->setGeometry(wanted);
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
    CreateComponents();

    connect(Timer1, &QTimer::timeout, this, &TAboutBox::Timer1Timer);
    connect(BitBtn1, &QPushButton::clicked, this, &TAboutBox::BitBtn1Click);
    BitBtn1->installEventFilter(this);
    MediaS->installEventFilter(this);
    Image3->installEventFilter(this);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::CreateComponents() {
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kClientWidth, kClientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);
    const qreal ratio = devicePixelRatioF();
    const QSize whole(kClientWidth, kClientHeight);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, kClientWidth, kClientHeight);
    Image1->setScaledContents(true);
    Image1->setPixmap(Picture(QStringLiteral("background"), whole, ratio));

    Build = MakeLabel(this, QStringLiteral("V 2.0"), PixelFont(14, true), kLabelText, 443, 73);
    Label1 = MakeLabel(this, QStringLiteral("Play list media player"), PixelFont(12), kLabelText,
                       -220, 52);
    Label2 = MakeLabel(this, QStringLiteral("Report Bugs/Suggestions to"), PixelFont(12),
                       kLabelText, -601, 96);
    QFont display = PixelFont(18, true);
    display.setStyleHint(QFont::Decorative);
    MMLabel1 =
        MakeLabel(this, QStringLiteral("The Quavrel developers"), display, kLinkText, 118, -387);
    MMLabel1->setCursor(Qt::PointingHandCursor);
    MMLabel2 =
        MakeLabel(this, QStringLiteral("quavrel@example.org"), PixelFont(12), kLinkText, 576, 96);
    MMLabel2->setCursor(Qt::PointingHandCursor);
    CreateTitleBar(ratio);
    CreateRest(ratio);
}

void TAboutBox::CreateTitleBar(qreal ratio) {
    Panel1 = new QFrame(this);
    Panel1->setGeometry(185, 0, 0, 41);
    QPalette titlePalette = Panel1->palette();
    titlePalette.setColor(QPalette::Window, kTitleBar);
    titlePalette.setColor(QPalette::WindowText, kAqua);
    Panel1->setPalette(titlePalette);
    Panel1->setAutoFillBackground(true);
    Image2 = new QLabel(Panel1);
    Image2->setGeometry(0, 0, 69, 41);
    Image2->setPixmap(Picture(QStringLiteral("title"), QSize(69, 41), ratio));
    MediaS = new QLabel(QStringLiteral("Quavrel v2.0"), Panel1);
    QFont titleFont;
    titleFont.setFamilies(
        {QStringLiteral("URW Chancery L"), QStringLiteral("Z003"), QStringLiteral("DejaVu Serif")});
    titleFont.setStyleHint(QFont::Decorative);
    titleFont.setPixelSize(26);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    MediaS->setFont(titleFont);
    MediaS->setAlignment(Qt::AlignCenter);
    LayoutTitleBar();
}

void TAboutBox::CreateRest(qreal ratio) {
    const QSize whole(kClientWidth, kClientHeight);
    BitBtn1 = new QPushButton(QStringLiteral("O K"), this);
    BitBtn1->setGeometry(135, 176, 105, 23);
    BitBtn1->setDefault(true);

    Image3 = new QLabel(this);
    Image3->setGeometry(0, 0, kClientWidth, kClientHeight);
    Image3->setScaledContents(true);
    Image3->setPixmap(Picture(QStringLiteral("lumo"), whole, ratio));
    Image3->setCursor(Qt::PointingHandCursor);
    Image3->setToolTip(QStringLiteral("Click to visit Lumo's page"));
    Image3->hide();
    Label3 = MakeLabel(this, QStringLiteral("Lumo keeps the light on"), PixelFont(20, true),
                       QColor(255, 255, 255), 0, kClientHeight - 25);
    Label3->setGeometry(0, kClientHeight - 25, kClientWidth, 25);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(Timer1Interval);

    URL1 = new TURL(this);
    URL1->SetURL("www.example.org/quavrel/developers/");
    URL2 = new TURL(this);
    URL2->SetURLType(TURLType::utMailto);
    URL2->SetURL("quavrel@example.org");
    URL3 = new TURL(this);
    URL3->SetURL("www.example.org/quavrel/");
    lumo = new TURL(this);
    lumo->SetURL("www.example.org/quavrel/lumo/");
}

void TAboutBox::FormShow() {
    Timer1->start();
}

void TAboutBox::FormClose() {
    Timer1->stop();
}

void TAboutBox::Timer1Timer() {
    AboutLayout layout = CurrentLayout();
    AboutAnimationStep(layout, frameGeometry().width());
    ApplyLayout(layout);
}

void TAboutBox::BitBtn1Click() {
    // With the second picture up, the window closes only from its frame.
    if (!Image3->isVisible())
        close();
}

void TAboutBox::BitBtn1MouseDown(Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::ControlModifier))
        return;
    BitBtn1->hide();
    Panel1->hide();
    Image3->show();
    Image3->raise();
    Label3->show();
    Label3->raise();
}

void TAboutBox::MediaSClick() {
    URL3->Execute();
}

void TAboutBox::Image3Click() {
    lumo->Execute();
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    FormShow();
}

void TAboutBox::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == BitBtn1 && event->type() == QEvent::MouseButtonPress) {
        const Qt::KeyboardModifiers modifiers = static_cast<QMouseEvent*>(event)->modifiers();
        BitBtn1MouseDown(modifiers);
        // The button has gone: the press must not go on to become a click.
        if (!BitBtn1->isVisible())
            return true;
    } else if ((watched == MediaS || watched == Image3) &&
               event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
            if (watched == MediaS)
                MediaSClick();
            else
                Image3Click();
        }
    }
    return QDialog::eventFilter(watched, event);
}

AboutLayout TAboutBox::CurrentLayout() const {
    AboutLayout layout;
    layout.Panel1 = RectOf(Panel1);
    layout.Label1 = RectOf(Label1);
    layout.MMLabel1 = RectOf(MMLabel1);
    layout.Build = RectOf(Build);
    layout.Label2 = RectOf(Label2);
    layout.MMLabel2 = RectOf(MMLabel2);
    layout.BitBtn1 = RectOf(BitBtn1);
    return layout;
}

void TAboutBox::ApplyLayout(const AboutLayout& layout) {
    SetRect(Panel1, layout.Panel1);
    SetRect(Label1, layout.Label1);
    SetRect(MMLabel1, layout.MMLabel1);
    SetRect(Build, layout.Build);
    SetRect(Label2, layout.Label2);
    SetRect(MMLabel2, layout.MMLabel2);
    LayoutTitleBar();
}

void TAboutBox::LayoutTitleBar() {
    // The title is centred on the whole bar, over the picture at its left.
    MediaS->setGeometry(0, 0, Panel1->width(), Panel1->height());
    Image2->lower();
}
