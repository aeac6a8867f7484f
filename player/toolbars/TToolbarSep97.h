#pragma once

#include <QWidget>

// A separator between toolbar items: 6 pixels wide as designed, a groove down its middle.
class TToolbarSep97 : public QWidget {
    Q_OBJECT

public:
    explicit TToolbarSep97(const char* name, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
