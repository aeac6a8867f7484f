#include "widgets/TTrayIcon.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent), icon_(new QSystemTrayIcon(this)) {
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
}

TTrayIcon::~TTrayIcon() = default;

void TTrayIcon::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    icon_->setVisible(active);
}

void TTrayIcon::SetIcon(const QIcon& icon) { icon_->setIcon(icon); }

void TTrayIcon::SetToolTip(const QString& toolTip) {
    toolTip_ = toolTip.left(MaxToolTip);
    icon_->setToolTip(toolTip_);
}

void TTrayIcon::Activated(int reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            if (OnClick)
                OnClick();
            break;
        case QSystemTrayIcon::DoubleClick:
            if (OnDblClick)
                OnDblClick();
            break;
        case QSystemTrayIcon::Context:
            if (popupMenu_) {
                popupMenu_->activateWindow();
                popupMenu_->popup(QCursor::pos());
            }
            if (OnRightClick)
                OnRightClick();
            break;
        default:
            break;
    }
}
