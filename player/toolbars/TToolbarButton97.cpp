#include "toolbars/TToolbarButton97.h"

#include <QIcon>

TToolbarButton97::TToolbarButton97(const QString& caption, const char* name, QWidget* parent)
    : QToolButton(parent) {
    setObjectName(QString::fromLatin1(name));
    setText(caption);
    Dress(this, {});
}

void TToolbarButton97::Dress(QAbstractButton* button, const QString& glyph) {
    if (!glyph.isEmpty())
        button->setIcon(QIcon(glyph));
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(44, 41);
    QFont font = button->font();
    font.setPixelSize(10);
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    if (auto* tool = qobject_cast<QToolButton*>(button)) {
        tool->setAutoRaise(true);
        tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
}

void TToolbarButton97::ShowCaption(QAbstractButton* button, bool shown) {
    if (auto* tool = qobject_cast<QToolButton*>(button)) {
        tool->setToolButtonStyle(shown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
        return;
    }
    // A push button has no caption style: the caption is kept aside while hidden.
    if (shown) {
        button->setText(button->property("hiddenCaption").toString());
    } else if (!button->text().isEmpty()) {
        button->setProperty("hiddenCaption", button->text());
        button->setText({});
    }
}
