#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QIcon;
class QMenu;
class QSystemTrayIcon;

// The notification-area icon: one icon with a tooltip, reporting clicks and opening a menu.
class TTrayIcon : public QObject {
    Q_OBJECT

public:
    // The tray keeps at most this many characters of a tooltip.
    static constexpr int MaxToolTip = 62;

    explicit TTrayIcon(QObject* parent = nullptr);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    void SetIcon(const QIcon& icon);
    const QString& ToolTip() const { return toolTip_; }
    void SetToolTip(const QString& toolTip);
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnRightClick;

private:
    void Activated(int reason);

    QSystemTrayIcon* icon_;
    QMenu* popupMenu_ = nullptr;
    QString toolTip_;
    bool active_ = false;
};
