#pragma once

#include <QToolButton>

// A flat toolbar button: its picture above its caption, 44 x 41 as designed, or the picture
// alone. The picture is an SVG resource drawn at the button's icon size.
class TToolbarButton97 : public QToolButton {
    Q_OBJECT

public:
    TToolbarButton97(const QString& caption, const char* name, QWidget* parent = nullptr);

    // Gives any toolbar button the designed look: flat, picture above caption, 44 x 41.
    static void Dress(QAbstractButton* button, const QString& glyph);
    // Picture and caption, or the picture alone; the size is the caller's.
    static void ShowCaption(QAbstractButton* button, bool shown);
};
