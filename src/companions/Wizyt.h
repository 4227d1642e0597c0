#pragma once
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;
class QToolButton;

// Unit Wizyt: the business card window. Created once at start, hidden;
// opened from the menu with Pokaz() and hidden again with "Zamknij okno".
// Its clock runs from creation, shown or not.
class Tform3 : public QWidget {
    Q_OBJECT
public:
    explicit Tform3(QWidget *parent = nullptr);

    // The menu's "&Wizytówka": enable the window and show it, not modally;
    // when it is already shown, bring it forward.
    void Pokaz();

    void SpeedButton1Click(); // "Odwiedź witrynę www autora"
    void SpeedButton2Click(); // "Wyślij pocztę"
    void SpeedButton3Click(); // "Zamknij okno"
    void Timer1Timer();

    QFrame *Panel2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label6;
    QLabel *Label4;
    QLabel *Label5;
    QFrame *Bevel1;
    QLabel *Image1;
    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton3;
    QLabel *Label7;
    QTimer *Timer1;

protected:
    // Only "Zamknij okno" closes the window; a close asked for from outside
    // (window manager, Alt+F4) is refused, as the title bar has no button.
    void closeEvent(QCloseEvent *event) override;
};

// The one business card window; the program entry creates it after the
// main window.
extern Tform3 *form3;
