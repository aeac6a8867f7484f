#include "filter/TFileTypeBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "filter/FileTypeFilter.h"

namespace {

QString FromBytes(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

std::string ToBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

TFileTypeBox::TFileTypeBox(std::unique_ptr<std::vector<std::string>>& filterList,
                           std::uint8_t& filteringOn, QWidget* parent)
    : QDialog(parent), filterList_(filterList), filteringOn_(filteringOn) {
    setObjectName(QStringLiteral("FileTypeBox"));
    setWindowTitle(QStringLiteral("File Type Filter"));
    setModal(true);
    resize(294, 423);

    CheckBox = new QCheckBox(QStringLiteral("Enable File Type Filtering"), this);
    CheckBox->setChecked(true);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    TypeListBox = new QListWidget(Panel1);
    TypeListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* panel1Layout = new QVBoxLayout(Panel1);
    panel1Layout->addWidget(TypeListBox);

    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::StyledPanel);
    CaptionFType = new QLabel(QStringLiteral("New Extension"), Panel2);
    FileTypeEdit = new QLineEdit(Panel2);
    CaptionFType->setBuddy(FileTypeEdit);
    Button1 = new QPushButton(QStringLiteral("Add New"), Panel2);
    Button2 = new QPushButton(QStringLiteral("Remove Selected"), Panel2);
    Button3 = new QPushButton(QStringLiteral("Default"), Panel2);
    Button3->setToolTip(QStringLiteral("Load default formats supported"));
    for (QPushButton* button : {Button1, Button2, Button3})
        button->setAutoDefault(false);
    auto* editRow = new QHBoxLayout;
    editRow->addWidget(CaptionFType);
    editRow->addWidget(FileTypeEdit, 1);
    editRow->addWidget(Button1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Button2);
    buttonRow->addWidget(Button3);
    auto* panel2Layout = new QVBoxLayout(Panel2);
    panel2Layout->addLayout(editRow);
    panel2Layout->addLayout(buttonRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Panel2);

    connect(CheckBox, &QCheckBox::clicked, this, [this] { CheckBoxClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(FileTypeEdit, &QLineEdit::returnPressed, this, [this] { Button1Click(); });
}

void TFileTypeBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFileTypeBox::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TFileTypeBox::SetPanelsEnabled(bool enabled) {
    Panel1->setEnabled(enabled);
    Panel2->setEnabled(enabled);
}

void TFileTypeBox::FormShow() {
    TypeListBox->clear();
    if (filteringOn_ == 0) {
        CheckBox->setChecked(false);
        SetPanelsEnabled(false);
    }
    if (!filterList_ || filterList_->empty())
        Button3Click();
    if (filterList_) {
        for (const std::string& entry : *filterList_)
            TypeListBox->addItem(FromBytes(entry));
    }
}

void TFileTypeBox::FormHide() {
    if (!filterList_)
        return;
    filterList_->clear();
    for (int row = 0; row < TypeListBox->count(); ++row)
        filterList_->push_back(ToBytes(TypeListBox->item(row)->text()));
}

void TFileTypeBox::CheckBoxClick() {
    const bool checked = CheckBox->isChecked();
    filteringOn_ = checked ? 1 : 0;
    SetPanelsEnabled(checked);
}

void TFileTypeBox::Button1Click() {
    TypeListBox->addItem(FileTypeEdit->text());
    FileTypeEdit->clear();
}

void TFileTypeBox::Button2Click() {
    int row = 0;
    while (row < TypeListBox->count()) {
        QListWidgetItem* item = TypeListBox->item(row);
        if (item->isSelected()) {
            item->setSelected(false);
            delete TypeListBox->takeItem(row);  // the next line moves into this row
        } else {
            ++row;
        }
    }
}

void TFileTypeBox::Button3Click() {
    TypeListBox->clear();
    for (const std::string& entry : DefaultFilterList())
        TypeListBox->addItem(FromBytes(entry));
}
