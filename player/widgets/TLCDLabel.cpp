#include "widgets/TLCDLabel.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "services/QtMessageBox.h"
#include "widgets/AccessibleWidgets.h"
#include "widgets/QtRaster.h"

TLCDLabel::TLCDLabel(QWidget* parent, MessageBox* messages) : QWidget(parent), messages_(messages) {
    if (messages_ == nullptr) {
        ownMessages_ = std::make_unique<QtMessageBox>(this);
        messages_ = ownMessages_.get();
    }
    // Every pixel is painted from the picture: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    SyncSize();
    AccessibleWidgets::Install();
    nowMs_ = [] {
        static QElapsedTimer clock = [] {
            QElapsedTimer started;
            started.start();
            return started;
        }();
        return static_cast<std::int64_t>(clock.elapsed());
    };
    announceLater_.setSingleShot(true);
    connect(&announceLater_, &QTimer::timeout, this, [this] { Announce(); });
}

TLCDLabel::~TLCDLabel() = default;

QSize TLCDLabel::sizeHint() const {
    return {display_.Width(), display_.Height()};
}

void TLCDLabel::SetCaption(const std::string& text) {
    if (!display_.SetCaption(text))
        return;
    repaint();
    AnnounceCaption();
}

void TLCDLabel::AnnounceCaption() {
    const std::int64_t now = nowMs_();
    if (announcedAt_ && now - *announcedAt_ < AnnounceGapMs) {
        // The last text of a quick run is told once the gap is over.
        if (!announceLater_.isActive())
            announceLater_.start(static_cast<int>(AnnounceGapMs - (now - *announcedAt_)));
        return;
    }
    Announce();
}

void TLCDLabel::Announce() {
    announceLater_.stop();
    announcedAt_ = nowMs_();
    ++announceCount_;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleValueChangeEvent valued(this, QString::fromStdString(Caption()).trimmed());
    QAccessible::updateAccessibility(&valued);
}

template <typename Setter>
void TLCDLabel::Apply(Setter setter) {
    try {
        if (!setter())
            return;
    } catch (const ELCDPropertyError& error) {
        messages_->Show("Error", error.what(), MessageBox::Icon::Error, MessageBox::Buttons::Ok);
        return;
    }
    display_.AdjustSize();
    SyncSize();
    update();
}

void TLCDLabel::SetDotMatrix(TDotMatrix v) {
    Apply([&] { return display_.SetDotMatrix(v); });
}
void TLCDLabel::SetPixelSize(TPixelSize v) {
    Apply([&] { return display_.SetPixelSize(v); });
}
void TLCDLabel::SetPixelShape(TPixelShape v) {
    Apply([&] { return display_.SetPixelShape(v); });
}
void TLCDLabel::SetPixelSpacing(int v) {
    Apply([&] { return display_.SetPixelSpacing(v); });
}
void TLCDLabel::SetCharSpacing(int v) {
    Apply([&] { return display_.SetCharSpacing(v); });
}
void TLCDLabel::SetLineSpacing(int v) {
    Apply([&] { return display_.SetLineSpacing(v); });
}
void TLCDLabel::SetBorderSpace(int v) {
    Apply([&] { return display_.SetBorderSpace(v); });
}
void TLCDLabel::SetTextLines(int v) {
    Apply([&] { return display_.SetTextLines(v); });
}
void TLCDLabel::SetNoOfChars(int v) {
    Apply([&] { return display_.SetNoOfChars(v); });
}
void TLCDLabel::SetBackGround(Color v) {
    Apply([&] { return display_.SetBackGround(v); });
}
void TLCDLabel::SetBorderStyle(TMyBorder v) {
    Apply([&] { return display_.SetBorderStyle(v); });
}
void TLCDLabel::SetBorderColor(Color v) {
    Apply([&] { return display_.SetBorderColor(v); });
}
void TLCDLabel::SetPixelOn(Color v) {
    Apply([&] { return display_.SetPixelOn(v); });
}
void TLCDLabel::SetPixelOff(Color v) {
    Apply([&] { return display_.SetPixelOff(v); });
}

void TLCDLabel::SyncSize() {
    const QSize wanted(display_.Width(), display_.Height());
    if (size() == wanted)
        return;
    syncing_ = true;
    resize(wanted);
    syncing_ = false;
    updateGeometry();
}

void TLCDLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (syncing_ || (width() == display_.Width() && height() == display_.Height()))
        return;
    // Resized from outside (a layout, a parent): the cell counts follow, and the widget snaps
    // to whole cells. Qt cannot resize during a paint, so the fitting happens here.
    display_.SetSize(width(), height());
    display_.AdjustSize();
    SyncSize();
}

void TLCDLabel::paintEvent(QPaintEvent*) {
    const RgbImage picture = display_.Paint(SystemColorsOf(palette()));
    ++paintCount_;
    QPainter painter(this);
    painter.drawImage(0, 0, ToQImage(picture));
}

void TLCDLabel::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(), event->position().toPoint().x(),
                    event->position().toPoint().y());
}

void TLCDLabel::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(event->modifiers(), event->position().toPoint().x(),
                    event->position().toPoint().y());
}

void TLCDLabel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton && rect().contains(at) && OnClick)
        OnClick();
}

void TLCDLabel::keyPressEvent(QKeyEvent* event) {
    // With the focus, Space or Enter is the keyboard's click.
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && OnClick) {
        OnClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TLCDLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
}
