#pragma once
#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTextEdit;
class QToolButton;

// The administrator tools window "Narzędzia administratora" (object
// narzedzia_f). Created hidden at start-up; every opening from the menu
// resets the choice and re-reads the working directory.
class Tnarzedzia_f : public QWidget {
    Q_OBJECT
public:
    explicit Tnarzedzia_f(QWidget *parent = nullptr);

    // Checks op3 (with its hint) and reads the current directory.
    void FormCreate();
    // The menu's way in: enable, FormCreate, show.
    void openFromMenu();

    static QString op3Hint();
    static QString op4Hint();

    QFrame *Panel1;
    QGroupBox *GroupBox1;
    QRadioButton *op3;
    QRadioButton *op4;
    QLabel *Image1;
    QToolButton *SpeedButton3;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton1;
    QTextEdit *Memo1;

public slots:
    void op3Click();
    void op4Click();
    // "Wykonaj operację". Raises platform::IoError when the history cannot
    // be loaded again; the closing message is then not shown.
    void SpeedButton2Click();
    // "Powrót".
    void SpeedButton1Click();
    // "Sprawdź aktualizację". Raises platform::IoError on unreadable local files.
    void SpeedButton3Click();
};
