#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class EntrySearch;
class PlayList;
class PlayListObserver;
class QLineEdit;
class QListView;
class QLabel;
class MatchModel;

// "Jump to File": a small window with a text field over the list of the play list's entries
// that hold every typed word (EntrySearch). The arrows move through the matches, Enter (or a
// double click) plays the chosen one through OnPlay and closes, Escape closes. It searches as
// the user types, and again after the play list changed. Made once by the main window and
// reopened empty; the list must outlive it. User-interface thread only.
class JumpToFileBox : public QDialog {
    Q_OBJECT

public:
    explicit JumpToFileBox(PlayList& list, QWidget* parent = nullptr);
    ~JumpToFileBox() override;

    // Shows the window in front with an empty field (all entries listed).
    void Open();
    // The play list indexes listed, in order.
    const std::vector<int>& Matches() const;
    // The index of the chosen match in the play list, or -1.
    int Chosen() const;

    std::function<void(int index)> OnPlay;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search();
    void SearchLater();
    void Play();

    PlayList& list_;
    std::unique_ptr<EntrySearch> search_;      // made when the window opens, dropped when it closes
    std::unique_ptr<PlayListObserver> watch_;  // searches again after the list changed
    QLineEdit* text_;
    QListView* matches_;
    QLabel* count_;
    MatchModel* model_;
    bool searchPending_ = false;
};
