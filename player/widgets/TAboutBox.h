#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class TURL;
struct AboutLayout;

// TAboutBox: the About window. It shows the program's name and version with a short entrance
// animation that plays the first time it is shown in a run, and links to the program's home
// page. Created hidden at start; shown modally with exec(), which returns when it closes.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // The animation's tick. Windows never fires timers faster than about 15.6 ms, so the
    // designed 1 ms tick ran at that pace there; Qt would honour 1 ms and the entrance would be
    // over before it could be seen.
    static constexpr int Timer1Interval = 16;

    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // --- Components ---
    QLabel* Image1 = nullptr;  // background picture
    QFrame* Panel1 = nullptr;  // title bar, holding Image2 and MediaS
    QLabel* Image2 = nullptr;
    QLabel* MediaS = nullptr;  // "Quavrel v2.0"
    QLabel* Build = nullptr;   // "V 2.0"
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;        // "Report Bugs/Suggestions to"
    QLabel* MMLabel1 = nullptr;      // the author's name
    QLabel* MMLabel2 = nullptr;      // the author's e-mail address
    QPushButton* BitBtn1 = nullptr;  // "O K"
    QLabel* Image3 = nullptr;        // the second picture, hidden until Ctrl + click on "O K"
    QLabel* Label3 = nullptr;        // its caption line
    QTimer* Timer1 = nullptr;
    TURL* URL1 = nullptr;  // the author's home page
    TURL* URL2 = nullptr;  // the author's e-mail address
    TURL* URL3 = nullptr;  // the program's home page
    TURL* lumo = nullptr;  // the second picture's page

    // --- Handlers ---
    void FormShow();
    void FormClose();
    void Timer1Timer();
    void BitBtn1Click();
    void BitBtn1MouseDown(Qt::KeyboardModifiers modifiers);
    void MediaSClick();
    void Image3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateComponents();
    void CreateTitleBar(qreal ratio);  // Panel1 with the picture and MediaS
    void CreateRest(qreal ratio);      // the button, the hidden picture, the timer, the links
    AboutLayout CurrentLayout() const;
    void ApplyLayout(const AboutLayout& layout);
    void LayoutTitleBar();
};
