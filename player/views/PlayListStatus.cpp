#include "views/PlayListStatus.h"

#include <QTimer>

#include "playlist/PlayListTotals.h"

PlayListStatus::PlayListStatus(PlayList& list, QWidget* parent) : QLabel(parent), list_(list) {
    setObjectName(QStringLiteral("StatusLine"));
    setContentsMargins(4, 1, 4, 1);
    setTextFormat(Qt::PlainText);
    list_.AddObserver(this);
    Refresh();
}

PlayListStatus::~PlayListStatus() {
    list_.RemoveObserver(this);
}

void PlayListStatus::Refresh() {
    pending_ = false;
    const QString text = QString::fromStdString(PlayListTotals::Of(list_).Text());
    if (text != this->text())
        setText(text);
}

void PlayListStatus::RefreshLater() {
    if (pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (pending_)
            Refresh();
    });
}
