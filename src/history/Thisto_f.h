#pragma once
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;
class QToolButton;

// The run-history window "Historia" (object histo_f). Created hidden at
// start-up; every opening from the menu re-reads the history file.
class Thisto_f : public QWidget {
    Q_OBJECT
public:
    // Runs FormCreate; an error there is reported through the seam.
    explicit Thisto_f(QWidget *parent = nullptr);

    // The unit's load and save steps; they need no window and work before
    // one exists (start-up) or while it is hidden.
    static void PobierzDane();
    static void ZapiszUruchomienia();

    // Fills the labels from the file. Raises platform::IoError.
    void FormCreate();

    // The menu's way in: enable, FormCreate, show. An error is reported
    // through the seam and leaves the window unshown; false then.
    bool openFromMenu();

    QFrame *Panel1;
    QFrame *Panel2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *Label13;
    QToolButton *SpeedButton1;
    QTimer *Timer1;

public slots:
    void Timer1Timer();
    void SpeedButton1Click();

private:
    void setRightAligned(QLabel *label, const QString &text);
};
