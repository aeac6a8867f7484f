#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "widgets/LCDDisplay.h"

class MessageBox;

// The dot-matrix LCD label: shows an LCDDisplay's picture and keeps the widget exactly its size.
// A caption change repaints at once (the progress timer writes it five times a second and
// expects each value on screen); other properties repaint later. A refused value shows its
// message in an error box and changes nothing. A screen reader reads the text as the label's
// name and value; changes are announced at most once a second (the progress timer changes the
// text five times a second while playing), the last one always.
class TLCDLabel : public QWidget {
    Q_OBJECT

public:
    // messages shows refused values; without one the label uses a QMessageBox of its own.
    explicit TLCDLabel(QWidget* parent = nullptr, MessageBox* messages = nullptr);
    ~TLCDLabel() override;

    const LCDDisplay& Display() const { return display_; }

    const std::string& Caption() const { return display_.Caption(); }
    // Bytes, shown by the current font: the HD44780 fonts read bytes 128 to 223 as their upper
    // half, so pass 8-bit text, not UTF-8, for those.
    void SetCaption(const std::string& text);

    void SetDotMatrix(TDotMatrix value);
    void SetPixelSize(TPixelSize value);
    void SetPixelShape(TPixelShape value);
    void SetPixelSpacing(int value);
    void SetCharSpacing(int value);
    void SetLineSpacing(int value);
    void SetBorderSpace(int value);
    void SetTextLines(int value);
    void SetNoOfChars(int value);
    void SetBackGround(Color value);
    void SetBorderStyle(TMyBorder value);
    void SetBorderColor(Color value);
    void SetPixelOn(Color value);
    void SetPixelOff(Color value);

    // How many times the picture has been painted; the caption setter's promise to skip an
    // unchanged text is checked against it.
    int PaintCount() const { return paintCount_; }

    QSize sizeHint() const override;

    // The monotonic clock, in milliseconds, that spaces the announcements; tests set their own.
    void SetAnnounceClock(std::function<std::int64_t()> nowMs) { nowMs_ = std::move(nowMs); }
    static constexpr int AnnounceGapMs = 1000;
    // How many changes have been told to a screen reader (Qt passes them on while one listens).
    int AnnounceCount() const { return announceCount_; }

    // Mouse events as the control publishes them; x and y are in the control's pixels.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseDown;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs a setter of the display: on a change, fits the widget to the display and schedules
    // a repaint; on a refused value, shows the message.
    template <typename Setter>
    void Apply(Setter setter);
    // Brings the widget's size in line with the display's (after the display's sizing step).
    void SyncSize();
    // Tells a screen reader of the new text now, or once the gap since the last time is over.
    void AnnounceCaption();
    void Announce();

    LCDDisplay display_;
    MessageBox* messages_;
    std::unique_ptr<MessageBox> ownMessages_;
    int paintCount_ = 0;
    int announceCount_ = 0;
    bool syncing_ = false;
    std::function<std::int64_t()> nowMs_;
    std::optional<std::int64_t> announcedAt_;
    QTimer announceLater_;
};
