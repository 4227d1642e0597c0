#pragma once
#include "ClassSession.h"
#include "ClassSettings.h"
#include "DesignImport.h"
#include "GallerySections.h"
#include "ListTableModel.h"
#include "TaskRunner.h"
#include "Thumbnails.h"
#include "editor/uklady/DesignTable.h"

#include "batch/run/BatchRun.h"
#include "companions/Companions.h"

#include <QImage>
#include <QMainWindow>
#include <atomic>
#include <memory>

class QCheckBox;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QScrollArea;
class QPushButton;
class QSpinBox;
class QTableView;
class QHBoxLayout;

namespace klasa {

// "Dyplomy dla klasy": a diploma and a class list, every page of the
// class, what does not fit, and the PDF or the print job, all in one
// window. Dialogs and outside effects go through platform::services() on
// the GUI thread; drawing and saving through the task runner.
class ClassWindow : public QMainWindow {
    Q_OBJECT
public:
    // runner: nullptr gives a thread pool of the window's own.
    ClassWindow(const QString &programDir, TaskRunner *runner = nullptr, QWidget *parent = nullptr);
    ~ClassWindow() override;

    // The files named on the command line (a .dyp is the diploma, any other the list).
    void openArguments(const QStringList &arguments);

    // Direct forms of the menu's actions; false when nothing was done.
    bool loadDiploma(const QString &path);
    bool loadList(const QString &path);
    bool pasteFromClipboard();
    // Kinds of diploma, numbers and date; false (said) when a diploma or the date is refused.
    bool setCeremony(const Ceremony &ceremony);
    void showPage(int index); // from 0
    int currentPage() const { return page_; }
    const QImage &previewImage() const { return preview_; }
    ClassSession &session() { return session_; }
    ListTableModel &listModel() { return *model_; }
    // The combo of a column whose header was not recognised; nullptr otherwise.
    QComboBox *columnCombo(int column) const;
    void chooseColumn(int column, const ColumnChoice &choice);
    bool busy() const { return busy_; }
    // The pages are being made again on a worker (the counts say so).
    bool building() const { return building_; }
    // A list is being read on a worker.
    bool readingList() const { return readingList_; }
    DesignImport &designImport() { return *designImport_; }

    // Sends a finished PDF to a queue, on the saving worker; sendToPrinter
    // unless replaced (tests).
    batch::PrintSubmit printSubmit;
    // Where the editor ("dyplom") is looked for: beside this program, then
    // PATH, as the companions are.
    companions::ProgramSearch editorSearch = companions::processProgramSearch();

    static constexpr int PreviewDpi = 72;

public slots:
    void openDiplomaDialog();
    void openListDialog();
    bool saveListCsv();
    void savePdf();
    void saveSeparate();
    void printPages();
    void cancelRun();
    void addOwnTemplate();
    // A new diploma in Dyplomy laid out as the chosen design suggests,
    // opened; its path, empty when nothing was made (said to the user).
    QString newDiplomaFromDesign();
    // Starts the editor on the diploma; false (said to the user) when it
    // cannot.
    bool editInEditor();
    // Pages on the template numbered so (the diploma's own number: its own);
    // the gallery shows it.
    void useTemplate(int number);
    // "Kalibracja drukarki…" for the machine's print queues.
    void calibratePrinter();
    // "Rejestr dyplomów…": a register file chosen, its lines shown.
    void showRegister();
    void showKinds();

signals:
    // On the GUI thread after every page of a save or print.
    void progressed(int done, int total);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildWindow();
    QWidget *diplomaPart();
    QWidget *listPart();
    QWidget *templatePart();
    QWidget *pagesPart();
    QWidget *outputPart();
    void rebuildPages();
    // Before the edited list goes: saved, dropped, or false (cancelled).
    bool listChangesSettled();
    void showPages();
    void showNewList();
    void refreshDiploma();
    void refreshColumns();
    void refreshGallery();
    // The filter's occasions: those of the sections of every design.
    void refreshOccasions(const QList<GallerySection> &all);
    // The table of designs beside the templates, read again.
    void reloadLayouts();
    void refreshProblems();
    // Selects the list row the page was made from.
    void selectRowOf(int page);
    void requestPreview();
    void showPreview();
    void updateTitle();
    void optionsChanged();
    // The paper turned as the layout table draws design number.
    void followDesignOrientation(int number);
    // The pre-printed paper tick of the diploma, remembered by its path.
    void recallTextOnly();
    void startRun(const batch::BatchPlan &requested, const QList<batch::Page> &pages, const QString &doneText);
    void finishRun(const QString &doneText, const QString &folder, const QString &error, bool cancelled);
    void rememberColumns();
    void recallColumns();
    // The folder a dialog of kind starts in: the last one used, else the
    // diplomas' folder.
    QString lastFolder(settings::Folder kind) const;
    // Remembers the folder of path for kind.
    void rememberFolder(settings::Folder kind, const QString &path);
    void designAdded(int number, const QString &error);
    // The design picked in the gallery, else the pages' one; 0 for none.
    int chosenDesign() const;

    QString programDir_;
    std::unique_ptr<TaskRunner> ownRunner_;
    std::unique_ptr<TaskRunner> ownThumbRunner_;
    std::unique_ptr<TaskRunner> ownSaveRunner_;
    TaskRunner *runner_;      // previews
    TaskRunner *thumbRunner_; // gallery thumbnails
    TaskRunner *saveRunner_;  // saving and printing, one run at a time
    ClassSession session_;
    ListTableModel *model_;
    std::unique_ptr<Thumbnails> thumbnails_;
    QFileSystemWatcher *watcher_;
    DesignImport *designImport_;

    QLabel *diplomaLabel_ = nullptr;
    QPlainTextEdit *diplomaTexts_ = nullptr;
    QTableView *table_ = nullptr;
    QWidget *columnsRow_ = nullptr;
    QScrollArea *columnsScroll_ = nullptr;
    QHBoxLayout *columnsLayout_ = nullptr;
    QList<QComboBox *> combos_;
    QLabel *countsLabel_ = nullptr;
    QListWidget *gallery_ = nullptr;
    QComboBox *occasionFilter_ = nullptr;
    QLineEdit *gallerySearch_ = nullptr;
    QMap<int, uklady::DesignInfo> layouts_;
    QLabel *previewLabel_ = nullptr;
    QSpinBox *pageSpin_ = nullptr;
    QSpinBox *headerSpin_ = nullptr;
    QLabel *pageCount_ = nullptr;
    QListWidget *problems_ = nullptr;
    QCheckBox *shrinkBox_ = nullptr;
    QCheckBox *centreBox_ = nullptr;
    QCheckBox *backgroundBox_ = nullptr;
    QCheckBox *textOnlyBox_ = nullptr;
    // The paper, landscape and diplomas per sheet (remembered).
    QComboBox *paperBox_ = nullptr;
    QCheckBox *landscapeBox_ = nullptr;
    QComboBox *perSheetBox_ = nullptr;
    QWidget *sheetPart();
    batch::SheetLayout sheetLayout() const;
    QList<QPushButton *> outputButtons_;
    QProgressBar *progress_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    QLabel *resultLabel_ = nullptr;
    QPushButton *openFolderButton_ = nullptr;
    QPushButton *addTemplateButton_ = nullptr;
    QComboBox *nameOrder_ = nullptr; // separate files: 0 "Imię Nazwisko", 1 "Nazwisko Imię"
    QString resultFolder_;

    int page_ = 0;
    quint64 generation_ = 0;
    QImage preview_;
    bool busy_ = false;
    bool building_ = false;
    bool readingList_ = false;
    quint64 listGeneration_ = 0;
    quint64 buildGeneration_ = 0;
    std::shared_ptr<std::atomic_bool> cancel_;
};

} // namespace klasa
