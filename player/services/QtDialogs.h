#pragma once

#include "services/Dialogs.h"

class QWidget;

// File dialogs as QFileDialog; "Name|*.ext" filter pairs become Qt name filters in order.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    std::optional<Choice> OpenFile(const Request& request) override;
    std::optional<Choice> SaveFile(const Request& request) override;

private:
    std::optional<Choice> Run(const Request& request, bool save);

    QWidget* parent_;
};
