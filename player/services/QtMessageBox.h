#pragma once

#include "services/MessageBox.h"

class QWidget;

// Message boxes as QMessageBox, parented to the given window (may be null).
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

    Answer Show(const std::string& caption, const std::string& text, Icon icon,
                Buttons buttons) override;

private:
    QWidget* parent_;
};
