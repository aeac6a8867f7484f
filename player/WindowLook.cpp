#include "WindowLook.h"

#include <QIcon>
#include <QToolButton>

#include "toolbars/ToQColor.h"

void Paint(QWidget* widget, Color color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color, palette));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
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
