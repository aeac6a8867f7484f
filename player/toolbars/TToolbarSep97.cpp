#include "toolbars/TToolbarSep97.h"

#include <QPainter>

TToolbarSep97::TToolbarSep97(const char* name, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    setFixedWidth(6);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void TToolbarSep97::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int x = width() / 2 - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(x, 2, x, height() - 3);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(x + 1, 2, x + 1, height() - 3);
}
