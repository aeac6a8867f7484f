#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

class QLocalServer;
class QMenu;
class QSystemTrayIcon;
class TaskbarHider;

// The notification-area icon: one icon with a tooltip, reporting clicks and opening a menu at
// the pointer on a right click; it also keeps the program's windows off the task bar and, given
// an IDMessage, lets only one copy of the program run. A double click counts as a double click
// and a second click, as the icon reports a click on every button release.
class TTrayIcon : public QObject {
    Q_OBJECT

public:
    // The tray keeps at most this many characters of a tooltip.
    static constexpr int MaxToolTip = 62;

    // Hides the program's task-bar button from the start (ShowApp false).
    explicit TTrayIcon(QObject* parent = nullptr);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    const QIcon& Icon() const { return iconImage_; }
    void SetIcon(const QIcon& icon);
    const QString& ToolTip() const { return toolTip_; }
    void SetToolTip(const QString& toolTip);  // keeps the first MaxToolTip characters
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    // Whether the program's windows have task-bar buttons. Applied to every top-level window
    // as it is shown, as far as the desktop allows: on X11 through the window manager's "skip
    // task bar" state; elsewhere not at all. While the desktop has no tray the buttons stay, as
    // the icon could not bring a minimised window back.
    bool ShowApp() const { return showApp_; }
    void SetShowApp(bool showApp);
    // The name of the single-copy check; empty means no check. Takes effect in Loaded.
    const QString& IDMessage() const { return idMessage_; }
    void SetIDMessage(const QString& id) { idMessage_ = id; }

    // After the component has been set up: with an IDMessage, ends the program at once when
    // another copy already runs under that name (after sending it the name), otherwise starts
    // answering later copies. Then applies ShowApp again.
    void Loaded();
    // True while this copy answers later copies under IDMessage.
    bool IsFirstCopy() const { return server_ != nullptr; }

    // What a later copy sends after its IDMessage line, ended by an empty line ("\n" alone
    // when there is nothing to say), e.g. the files it was started with.
    void SetHandOver(const QByteArray& handOver) { handOver_ = handOver; }
    // Sends id and handOver to the copy that answers under id; false when none answers (then
    // nothing was sent). Blocks for up to a second.
    static bool HandToFirstCopy(const QString& id, const QByteArray& handOver);

    // Where the pointer stood at the last right click, in screen coordinates.
    QPoint RightClickPos() const { return rightClickPos_; }

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // After the pop-up menu has been opened; RightClickPos() tells where.
    std::function<void()> OnRightClick;
    // A later copy started and ended; message is the IDMessage it sent.
    std::function<void(const QString& message)> OnSecondCopy;
    // Then, what it sent after its IDMessage (up to and with the closing empty line; empty
    // when it sent nothing more).
    std::function<void(const QByteArray& handOver)> OnHandOver;

private:
    void Activated(int reason);
    void RightClick();
    void UpdateIcon();
    void ApplyShowApp();
    void CheckSingleCopy();
    void ReadSecondCopy();

    QSystemTrayIcon* icon_;
    QIcon iconImage_;
    QMenu* popupMenu_ = nullptr;
    QString toolTip_;
    QString idMessage_;
    QByteArray handOver_ = "\n";
    bool active_ = false;
    bool showApp_ = false;
    QPoint rightClickPos_;
    QLocalServer* server_ = nullptr;
    TaskbarHider* hider_ = nullptr;
};
