#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "File Type Filter" dialog: edits a copy of the main window's filter list in its list box
// and the filtering switch. It has no OK or Cancel: whatever the list box holds when the dialog
// is hidden, however it was closed, becomes the filter list. The switch takes effect at once.
// The dialog refers to the main window's fields, which must outlive it.
class TFileTypeBox : public QDialog {
    Q_OBJECT

public:
    TFileTypeBox(std::unique_ptr<std::vector<std::string>>& filterList, std::uint8_t& filteringOn,
                 QWidget* parent = nullptr);

    QCheckBox* CheckBox = nullptr;
    QFrame* Panel1 = nullptr;
    QListWidget* TypeListBox = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* CaptionFType = nullptr;
    QLineEdit* FileTypeEdit = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    void FormShow();
    void FormHide();
    void CheckBoxClick();
    void Button1Click();  // "Add New"
    void Button2Click();  // "Remove Selected"
    void Button3Click();  // "Default"

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetPanelsEnabled(bool enabled);

    std::unique_ptr<std::vector<std::string>>& filterList_;
    std::uint8_t& filteringOn_;
};
