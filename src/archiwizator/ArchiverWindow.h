#pragma once
#include "Restore.h"
#include "SourceFolders.h"

#include <QWidget>
#include <optional>

class QLabel;
class QListWidget;
class QProgressBar;
class QToolButton;
class QTreeWidget;

// "Ochrona danych": the folders of the ProgramDir and their sizes, copies
// to a stick or a folder, restoring a copy, and the history of both. The
// work is done by the backup library; dialogs go through the platform seam.
class ArchiverWindow : public QWidget {
    Q_OBJECT
public:
    // `configFolder`: where archiwizator_config.dat is (the current directory).
    explicit ArchiverWindow(const QString &configFolder, QWidget *parent = nullptr);

    // The commands behind the buttons, also for tests.
    bool createCopy(const QString &destinationFolder);
    void chooseOtherFolder();
    bool openArchive(const QString &archivePath);
    void chooseArchive();
    bool restoreChosen();
    void cancel() { cancelRequested_ = true; }
    void refresh();

    QLabel *configProblem = nullptr;
    QTreeWidget *folders = nullptr;
    QListWidget *destinations = nullptr;
    QToolButton *otherFolderButton = nullptr;
    QToolButton *refreshButton = nullptr;
    QToolButton *copyButton = nullptr;
    QToolButton *openArchiveButton = nullptr;
    QLabel *archiveLabel = nullptr;
    QListWidget *archiveContents = nullptr;
    QToolButton *restoreButton = nullptr;
    QProgressBar *progress = nullptr;
    QToolButton *cancelButton = nullptr;
    QLabel *status = nullptr;
    QListWidget *history = nullptr;

protected:
    // Closing during a copy or a restore cancels it first.
    void closeEvent(QCloseEvent *event) override;

private:
    void fillDestinations(const QString &select = QString());
    qint64 offeredDevice(const QString &destinationFolder) const;
    void showHistory();
    void setBusy(bool busy);
    bool step(qint64 done, qint64 total);

    QString configFolder_;
    std::optional<backup::SourceConfig> config_;
    std::optional<backup::ArchiveSummary> chosen_;
    QStringList extraFolders_;
    bool cancelRequested_ = false;
    bool busy_ = false;
};
