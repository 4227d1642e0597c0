#pragma once
#include "diplomafile/DiplomaRecord.h"
#include "editor/DiplomaDocument.h"
#include "platform/Platform.h"

#include <QMainWindow>
#include <array>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace platform {
class SpinEdit;
}
namespace editor {
class TemplateView;
}
namespace widgets {
class SelfSizingLabel;
}

class Tform3;
class Thisto_f;
class Tnarzedzia_f;

// The main window: the diploma editor.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr); // runs FormCreate
    ~TForm1() override;

    void setSecondaryWindows(Tform3 *form3, Thisto_f *histo_f, Tnarzedzia_f *narzedzia_f);

    // The start-up sequence.
    void FormCreate();

    // Handlers.
    void Timer1Timer();
    void SpeedButton1Click();  // "Poprzedni wzór"
    void SpeedButton2Click();  // "Następny wzór"
    void SpeedButton3Click();  // "Nowy dyplom"
    void SpeedButton4Click();  // "Drukuj dyplom"
    void SpeedButton5Click();  // "Pomoc"
    void SpeedButton6Click();  // "Koniec"
    void SpeedButton7Click();  // heading font
    void SpeedButton8Click();  // recipient font
    void SpeedButton9Click();  // body font
    void SpeedButton10Click(); // "Zamknij podpowiedź"
    void Czytajdyplom1Click();
    // The read command without its dialog: a diploma named on the command line.
    void openDiplomaFile(const QString &path);
    void Zapiszdyplom1Click();
    void Mojenotatki1Click();
    void erminarz1Click();
    void Narzdziaadministratora1Click();
    void Archiwizacjanainnychnonikach1Click();
    void Koniecpracy1Click();
    void Wizytwka1Click();
    void Historiauruchomie1Click();
    // Asks the exit question; true when the close may proceed.
    bool FormCloseQuery();
    void Wygaszaj();

    // State, for the commands and for tests.
    const QString &programDir() const { return ProgramDir; }
    editor::DiplomaDocument &document() { return document_; }
    editor::DiplomaTexts texts() const;
    const platform::FontChoice &fontDialog(int n) const { return fontDialogs_[n - 1]; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void buildMenu();
    void buildHelpPanel(QWidget *client);
    void setTabOrderChain();
    // Fade-out, run history, end; false when the history could not be written.
    bool endWithFadeOut();
    void stepTemplate(int direction);
    void showTemplateNumber();
    void chooseBlockFont(int dialog, editor::TextBlockStyle &style,
                         const std::vector<widgets::SelfSizingLabel *> &labels);
    void applyBlockFont(const editor::TextBlockStyle &style, const std::vector<widgets::SelfSizingLabel *> &labels);
    std::vector<widgets::SelfSizingLabel *> bodyLabels() const;
    // The read command's steps after the file is read; nothing when nullopt.
    void takeDiploma(const std::optional<diplomafile::DiplomaContent> &read);

    QString ProgramDir;
    editor::DiplomaDocument document_;
    // FontDialog1 (heading), FontDialog2 (body), FontDialog3 (recipient).
    std::array<platform::FontChoice, 3> fontDialogs_;
    QString openDialog2Name_;
    QString saveDialog2Name_;

    Tform3 *form3_ = nullptr;
    Thisto_f *histo_f_ = nullptr;
    Tnarzedzia_f *narzedzia_f_ = nullptr;

public:
    // Controls, named as in the window description.
    QLabel *Label14, *Label19, *Label22, *Label20, *Label21, *Label23;
    platform::SpinEdit *margin_wz_l, *margin_wz_g;
    QFrame *Panel2, *Panel7, *Panel4, *Panel1;
    QLabel *Panel9, *Panel3;
    QFrame *Panel6;
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5, *SpeedButton6, *SpeedButton7,
        *SpeedButton8, *SpeedButton9, *SpeedButton10;
    QLabel *Label1, *Label2, *Label3, *Label15, *Label16, *Label17, *Label5, *Label6, *Label7;
    QLineEdit *naglowek, *dla;
    std::array<QLineEdit *, 6> Edit;
    platform::SpinEdit *marginesl, *marginesg, *mal, *mag, *ml, *mg;
    QPlainTextEdit *Memo1;
    QFrame *ramka;
    editor::TemplateView *Image1;
    widgets::SelfSizingLabel *Label4, *Label8, *Label9, *Label10, *Label11, *Label12, *Label13, *Label18;
    QTimer *Timer1;
    QMenu *Pliki, *Dodatki;
};
