// The File Type Filter dialog, driven through its widgets offscreen.
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "filter/FileTypeFilter.h"
#include "filter/TFileTypeBox.h"

namespace {

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        rows << list->item(row)->text();
    return rows;
}

QStringList Defaults() {
    QStringList defaults;
    for (const std::string& entry : DefaultFilterList())
        defaults << QString::fromStdString(entry);
    return defaults;
}

}  // namespace

class TFileTypeBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        filterList_ =
            std::make_unique<std::vector<std::string>>(std::vector<std::string>{"wav", "mp3"});
        filteringOn_ = 1;
        box_ = std::make_unique<TFileTypeBox>(filterList_, filteringOn_);
    }
    void cleanup() { box_.reset(); }

    void ShowsTheListAndHandsTheEditedCopyBackWhenHidden() {
        box_->show();
        QCOMPARE(box_->windowTitle(), QStringLiteral("File Type Filter"));
        QCOMPARE(Rows(box_->TypeListBox), (QStringList{"wav", "mp3"}));
        QVERIFY(box_->CheckBox->isChecked());

        // Added exactly as typed: no trimming, no dot removed, no duplicate test.
        for (const QString& typed : {QStringLiteral(" .Ogg"), QStringLiteral("mp3"), QString()}) {
            box_->FileTypeEdit->setText(typed);
            QTest::mouseClick(box_->Button1, Qt::LeftButton);
            QVERIFY(box_->FileTypeEdit->text().isEmpty());
        }
        QCOMPARE(Rows(box_->TypeListBox), (QStringList{"wav", "mp3", " .Ogg", "mp3", ""}));
        QCOMPARE(filterList_->size(), 2u);  // nothing reaches the list before the dialog hides

        box_->reject();  // Escape or the close box: there is no Cancel
        QCOMPARE(*filterList_, (std::vector<std::string>{"wav", "mp3", " .Ogg", "mp3", ""}));
    }

    void RemovesEverySelectedLineIncludingNeighbours() {
        *filterList_ = {"a", "b", "c", "d", "e", "f"};
        box_->show();
        for (int row : {1, 2, 4})
            box_->TypeListBox->item(row)->setSelected(true);
        QTest::mouseClick(box_->Button2, Qt::LeftButton);
        QCOMPARE(Rows(box_->TypeListBox), (QStringList{"a", "d", "f"}));
        QVERIFY(box_->TypeListBox->selectedItems().isEmpty());
    }

    void DefaultRestoresTheSeventeenExtensions() {
        box_->show();
        QCOMPARE(box_->Button3->text(), QStringLiteral("Default"));
        QCOMPARE(box_->Button3->toolTip(), QStringLiteral("Load default formats supported"));
        QTest::mouseClick(box_->Button3, Qt::LeftButton);
        QCOMPARE(Rows(box_->TypeListBox), Defaults());
        box_->hide();
        QCOMPARE(*filterList_, DefaultFilterList());
    }

    void AnEmptiedListComesBackAsTheDefaultsNextTime() {
        box_->show();
        box_->TypeListBox->selectAll();
        QTest::mouseClick(box_->Button2, Qt::LeftButton);
        box_->hide();
        QVERIFY(filterList_->empty());
        QVERIFY(!PassesFilter("/m/song.mp3", filterList_.get(), filteringOn_));

        box_->show();
        QCOMPARE(Rows(box_->TypeListBox), Defaults());
        box_->hide();
        QCOMPARE(*filterList_, DefaultFilterList());
    }

    void CheckBoxSwitchesFilteringAtOnceAndDisablesThePanels() {
        box_->show();
        QTest::mouseClick(box_->CheckBox, Qt::LeftButton);
        QCOMPARE(filteringOn_, std::uint8_t{0});  // before the dialog closes
        QVERIFY(!box_->Panel1->isEnabled());
        QVERIFY(!box_->Panel2->isEnabled());
        QTest::mouseClick(box_->CheckBox, Qt::LeftButton);
        QCOMPARE(filteringOn_, std::uint8_t{1});
        QVERIFY(box_->Panel1->isEnabled());
        QVERIFY(box_->Panel2->isEnabled());
    }

    void OpensUncheckedWhenFilteringIsOff() {
        filteringOn_ = 0;
        box_->show();
        QVERIFY(!box_->CheckBox->isChecked());
        QVERIFY(!box_->Panel1->isEnabled());
        QVERIFY(!box_->Panel2->isEnabled());
        QCOMPARE(Rows(box_->TypeListBox), (QStringList{"wav", "mp3"}));
    }

private:
    std::unique_ptr<std::vector<std::string>> filterList_;
    std::uint8_t filteringOn_ = 1;
    std::unique_ptr<TFileTypeBox> box_;
};

QTEST_MAIN(TFileTypeBoxTest)
#include "TFileTypeBoxTest.moc"
