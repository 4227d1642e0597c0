#include "ArchiverWindow.h"
#include "BackupRegister.h"
#include "CreateBackup.h"
#include "Destinations.h"

#include "batch/Texts.h"
#include "platform/IoError.h"
#include "platform/Platform.h"
#include "platform/WidgetFactory.h"
#include "platform/SystemErrorText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSettings>
#include <QStorageInfo>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Ochrona danych");
const QString LastDestinationKey = QStringLiteral("archiwizator/ostatniCel");

QString lastDestination()
{
    const QString folder = QSettings().value(LastDestinationKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}
const QColor PanelColour(0xF8, 0xF8, 0xF8);

QLabel *heading(QWidget *parent, const QString &text)
{
    QLabel *label = widgets::label(parent, nullptr, 0, 0, text, widgets::arialPixels(13), widgets::Navy);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QToolButton *button(QWidget *parent, const char *name, const QString &caption)
{
    QToolButton *b = widgets::flatButton(parent, name, QRect(0, 0, 150, 22), caption);
    b->setMinimumSize(150, 22);
    return b;
}

// A lowered panel holding a vertical layout.
QVBoxLayout *panel(QWidget *parent, QVBoxLayout *into)
{
    QFrame *frame = widgets::loweredPanel(parent, nullptr, QRect(), PanelColour);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(8, 6, 8, 8);
    into->addWidget(frame);
    return layout;
}

QString files(qint64 count)
{
    return batch::plural(count, QStringLiteral("plik"), QStringLiteral("pliki"), QStringLiteral("plików"));
}

// A list of archive names in a message, at most 20 of them.
QString fileList(const QStringList &names)
{
    QStringList shownNames;
    for (const QString &name : names.mid(0, 20))
        shownNames << batch::quoted(name, 100);
    if (names.size() > 20)
        shownNames << QStringLiteral("… i %1").arg(
            batch::plural(names.size() - 20, QStringLiteral("inny"), QStringLiteral("inne"), QStringLiteral("innych")));
    return shownNames.join(QLatin1Char('\n'));
}

QString restoreReport(const backup::RestoreResult &r)
{
    QString text =
        QStringLiteral("Kopię przywrócono: przywrócono %1, bez zmian %2.").arg(files(r.restored), files(r.unchanged));
    const QString genitive[] = {QStringLiteral("pliku"), QStringLiteral("plików"), QStringLiteral("plików")};
    if (!r.replacedFiles.isEmpty())
        text += QStringLiteral("\n\nZastąpiono wersjami z kopii %1:\n")
                    .arg(batch::plural(r.replacedFiles.size(), genitive[0], genitive[1], genitive[2]))
                + fileList(r.replacedFiles);
    if (!r.keptFiles.isEmpty())
        text += QStringLiteral("\n\nZachowano obecne wersje %1:\n")
                    .arg(batch::plural(r.keptFiles.size(), genitive[0], genitive[1], genitive[2]))
                + fileList(r.keptFiles);
    if (!r.skippedFiles.isEmpty())
        text += QStringLiteral("\n\nPominięto (rejestru archiwizacji i ustawień nie przywraca się z kopii):\n")
                + fileList(r.skippedFiles);
    return text;
}

QString historyLine(const backup::RegisterEntry &e)
{
    const QString when = e.when.isValid() ? e.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("?");
    const QString where = e.archive.isEmpty() ? QStringLiteral("(nieznane archiwum)")
                                              : QDir::toNativeSeparators(e.archive);
    if (e.kind == backup::RegisterEntry::Backup)
        return QStringLiteral("%1  kopia: %2, %3 → %4").arg(when, files(e.files), backup::sizeText(e.bytes), where);
    return QStringLiteral("%1  przywrócenie: %2 przywrócono, %3 zachowano, %4 bez zmian ← %5")
        .arg(when, files(e.files), files(e.kept), files(e.unchanged), where);
}

// The work is done either way; a register that cannot be written is only told.
void recordInRegister(QWidget *parent, const QString &programDir, const backup::RegisterEntry &entry, const QString &done)
{
    try {
        backup::appendToRegister(programDir, entry);
    } catch (const platform::IoError &error) {
        platform::services().reportError(parent, QStringLiteral("%1, ale rejestru archiwizacji nie zapisano: %2")
                                                     .arg(done, platform::ioErrorText(error.code())));
    }
}

void showFailure(QWidget *parent, QLabel *status, const backup::BackupError &error)
{
    status->setText(error.message());
    platform::services().reportError(parent, error.message());
}

} // namespace

ArchiverWindow::ArchiverWindow(const QString &configFolder, QWidget *parent)
    : QWidget(parent), configFolder_(configFolder)
{
    setObjectName(QStringLiteral("archiwizator"));
    setWindowTitle(Caption);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    widgets::setWindowColour(this, QColor(0xF4, 0xF4, 0xF4));

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);

    QVBoxLayout *sources = panel(this, main);
    sources->addWidget(heading(this, QStringLiteral("Chronione foldery")));
    configProblem = new QLabel(this);
    configProblem->setObjectName(QStringLiteral("configProblem"));
    configProblem->setWordWrap(true);
    widgets::setTextColour(configProblem, widgets::Maroon);
    configProblem->hide();
    sources->addWidget(configProblem);
    folders = new QTreeWidget(this);
    folders->setObjectName(QStringLiteral("folders"));
    folders->setHeaderLabels({QStringLiteral("Folder"), QStringLiteral("Pliki"), QStringLiteral("Rozmiar")});
    folders->setRootIsDecorated(false);
    folders->setMinimumHeight(112);
    folders->setMaximumHeight(130);
    sources->addWidget(folders);

    QVBoxLayout *copy = panel(this, main);
    copy->addWidget(heading(this, QStringLiteral("Utwórz kopię")));
    destinations = new QListWidget(this);
    destinations->setObjectName(QStringLiteral("destinations"));
    destinations->setMaximumHeight(80);
    copy->addWidget(destinations);
    auto *copyButtons = new QHBoxLayout;
    otherFolderButton = button(this, "otherFolderButton", QStringLiteral("Inny folder…"));
    copyButton = button(this, "copyButton", QStringLiteral("Utwórz kopię"));
    refreshButton = button(this, "refreshButton", QStringLiteral("Odśwież"));
    refreshButton->setMinimumWidth(80);
    copyButtons->addWidget(otherFolderButton);
    copyButtons->addWidget(refreshButton);
    copyButtons->addStretch();
    copyButtons->addWidget(copyButton);
    copy->addLayout(copyButtons);

    QVBoxLayout *restore = panel(this, main);
    restore->addWidget(heading(this, QStringLiteral("Przywróć")));
    archiveLabel = new QLabel(QStringLiteral("Nie wybrano kopii."), this);
    archiveLabel->setObjectName(QStringLiteral("archiveLabel"));
    archiveLabel->setWordWrap(true);
    widgets::setTextColour(archiveLabel, widgets::Navy);
    restore->addWidget(archiveLabel);
    archiveContents = new QListWidget(this);
    archiveContents->setObjectName(QStringLiteral("archiveContents"));
    archiveContents->setMaximumHeight(100);
    restore->addWidget(archiveContents);
    auto *restoreButtons = new QHBoxLayout;
    openArchiveButton = button(this, "openArchiveButton", QStringLiteral("Wybierz kopię…"));
    restoreButton = button(this, "restoreButton", QStringLiteral("Przywróć"));
    restoreButton->setEnabled(false);
    restoreButtons->addWidget(openArchiveButton);
    restoreButtons->addStretch();
    restoreButtons->addWidget(restoreButton);
    restore->addLayout(restoreButtons);

    auto *work = new QHBoxLayout;
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));
    progress->setRange(0, 1000);
    progress->setValue(0);
    cancelButton = button(this, "cancelButton", QStringLiteral("Anuluj"));
    cancelButton->setEnabled(false);
    work->addWidget(progress, 1);
    work->addWidget(cancelButton);
    main->addLayout(work);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("status"));
    status->setWordWrap(true);
    widgets::setTextColour(status, widgets::Navy);
    main->addWidget(status);

    QVBoxLayout *past = panel(this, main);
    past->addWidget(heading(this, QStringLiteral("Historia")));
    history = new QListWidget(this);
    history->setObjectName(QStringLiteral("history"));
    past->addWidget(history);

    connect(otherFolderButton, &QToolButton::clicked, this, &ArchiverWindow::chooseOtherFolder);
    connect(refreshButton, &QToolButton::clicked, this, [this] { fillDestinations(); });
    connect(copyButton, &QToolButton::clicked, this, [this] {
        if (QListWidgetItem *item = destinations->currentItem())
            createCopy(item->data(Qt::UserRole).toString());
        else
            platform::services().inform(this, QStringLiteral("Wybierz miejsce na kopię."), Caption);
    });
    connect(openArchiveButton, &QToolButton::clicked, this, &ArchiverWindow::chooseArchive);
    connect(restoreButton, &QToolButton::clicked, this, &ArchiverWindow::restoreChosen);
    connect(cancelButton, &QToolButton::clicked, this, &ArchiverWindow::cancel);

    resize(620, 680);
    const QString last = lastDestination();
    if (!last.isEmpty())
        extraFolders_ << last;
    // A very long path wraps or is cut, it never widens the window.
    for (QLabel *label : {configProblem, archiveLabel, status})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    refresh();
    if (!last.isEmpty())
        fillDestinations(last);
}

void ArchiverWindow::refresh()
{
    folders->clear();
    try {
        config_ = backup::readConfig(configFolder_);
        backup::collectFiles(*config_);
        for (const backup::SourceFolder &f : config_->folders) {
            auto *item = new QTreeWidgetItem(folders);
            item->setText(0, f.name);
            item->setText(1, f.exists ? QString::number(f.files) : QStringLiteral("—"));
            item->setText(2, f.exists ? backup::sizeText(f.bytes) : QStringLiteral("brak folderu"));
        }
        configProblem->hide();
    } catch (const backup::BackupError &error) {
        config_.reset();
        configProblem->setText(error.message());
        configProblem->show();
    }
    copyButton->setEnabled(config_.has_value());
    restoreButton->setEnabled(config_.has_value() && chosen_.has_value());
    fillDestinations();
    showHistory();
}

void ArchiverWindow::fillDestinations(const QString &select)
{
    const QString current = select.isEmpty() && destinations->currentItem()
                                ? destinations->currentItem()->data(Qt::UserRole).toString()
                                : select;
    destinations->clear();
    QStringList fallback = extraFolders_;
    fallback << QDir::homePath();
    fallback.removeDuplicates();
    for (const backup::Destination &d : backup::offeredDestinations(QStorageInfo::mountedVolumes(), fallback)) {
        auto *item = new QListWidgetItem(d.label, destinations);
        item->setData(Qt::UserRole, d.path);
        item->setData(Qt::UserRole + 1, d.device);
        if (d.path == current || (current.isEmpty() && destinations->count() == 1))
            destinations->setCurrentItem(item);
    }
}

qint64 ArchiverWindow::offeredDevice(const QString &destinationFolder) const
{
    for (int i = 0; i < destinations->count(); ++i) {
        if (destinations->item(i)->data(Qt::UserRole).toString() == destinationFolder)
            return destinations->item(i)->data(Qt::UserRole + 1).toLongLong();
    }
    return -1;
}

void ArchiverWindow::showHistory()
{
    history->clear();
    if (!config_)
        return;
    const QList<backup::RegisterEntry> entries = backup::readRegister(config_->programDir);
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        history->addItem(historyLine(*it));
    if (entries.isEmpty())
        history->addItem(QStringLiteral("Nie wykonano jeszcze żadnej kopii."));
}

void ArchiverWindow::closeEvent(QCloseEvent *event)
{
    if (busy_) {
        cancelRequested_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void ArchiverWindow::setBusy(bool busy)
{
    busy_ = busy;
    cancelRequested_ = false;
    for (QWidget *w : {static_cast<QWidget *>(copyButton), static_cast<QWidget *>(otherFolderButton),
                       static_cast<QWidget *>(refreshButton), static_cast<QWidget *>(openArchiveButton),
                       static_cast<QWidget *>(restoreButton)})
        w->setEnabled(!busy);
    cancelButton->setEnabled(busy);
    if (!busy) {
        copyButton->setEnabled(config_.has_value());
        restoreButton->setEnabled(config_.has_value() && chosen_.has_value());
    }
    progress->setValue(0);
}

bool ArchiverWindow::step(qint64 done, qint64 total)
{
    progress->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    QApplication::processEvents();
    return !cancelRequested_;
}

void ArchiverWindow::chooseOtherFolder()
{
    platform::FileDialogSettings settings;
    settings.title = QStringLiteral("Gdzie zapisać kopię");
    settings.filter = QStringLiteral("Kopie (*.zip)");
    settings.defaultExtension = QStringLiteral("*.zip");
    settings.fileName = backup::archiveFileName(platform::services().now());
    // The dialog takes a folder relative to the current one (the ProgramDir).
    const QString last = lastDestination();
    settings.initialFolder = QDir::current().relativeFilePath(last.isEmpty() ? QDir::homePath() : last);
    const std::optional<QString> chosen = platform::services().saveFileName(this, settings);
    if (!chosen)
        return;
    const QString folder = QFileInfo(*chosen).absolutePath();
    extraFolders_.prepend(folder);
    fillDestinations(folder);
}

bool ArchiverWindow::createCopy(const QString &destinationFolder)
{
    if (!config_)
        return false;
    setBusy(true);
    status->setText(QStringLiteral("Tworzenie kopii w %1…").arg(QDir::toNativeSeparators(destinationFolder)));
    bool ok = false;
    try {
        const QDateTime when = platform::services().now();
        const backup::BackupResult result = backup::createBackup(
            *config_, destinationFolder, when, [this](qint64 d, qint64 t) { return step(d, t); },
            offeredDevice(destinationFolder));
        backup::RegisterEntry entry;
        entry.kind = backup::RegisterEntry::Backup;
        entry.when = when;
        entry.files = static_cast<quint32>(result.files);
        entry.bytes = static_cast<quint64>(result.bytes);
        entry.archive = result.archivePath;
        recordInRegister(this, config_->programDir, entry, QStringLiteral("Kopia jest gotowa"));
        QSettings().setValue(LastDestinationKey, destinationFolder);
        ok = true;
        status->setText(QStringLiteral("Kopia gotowa: %1").arg(QDir::toNativeSeparators(result.archivePath)));
        QString text = QStringLiteral("Kopia gotowa.\n\n%1\n%2, %3, sprawdzona plik po pliku.")
                           .arg(QDir::toNativeSeparators(result.archivePath), files(result.files),
                                backup::sizeText(result.bytes));
        if (!result.skippedLinks.isEmpty())
            text += QStringLiteral("\n\nPominięto skróty (dowiązania), kopia ich nie obejmuje:\n")
                    + fileList(result.skippedLinks);
        if (!result.unreadableFiles.isEmpty())
            text += QStringLiteral("\n\nPominięto pliki bez prawa odczytu, kopia ich nie obejmuje:\n")
                    + fileList(result.unreadableFiles);
        platform::services().inform(this, text, Caption);
    } catch (const backup::Cancelled &) {
        status->setText(QStringLiteral("Kopię przerwano; nie zostawiono żadnego pliku."));
    } catch (const backup::BackupError &error) {
        showFailure(this, status, error);
    }
    setBusy(false);
    refresh();
    return ok;
}

void ArchiverWindow::chooseArchive()
{
    platform::FileDialogSettings settings;
    settings.title = QStringLiteral("Wybierz kopię do przywrócenia");
    settings.filter = QStringLiteral("Kopie (*.zip)");
    settings.defaultExtension = QStringLiteral("*.zip");
    if (const std::optional<QString> chosen = platform::services().openFileName(this, settings))
        openArchive(*chosen);
}

bool ArchiverWindow::openArchive(const QString &archivePath)
{
    archiveContents->clear();
    try {
        chosen_ = backup::inspectArchive(archivePath);
    } catch (const backup::BackupError &error) {
        chosen_.reset();
        archiveLabel->setText(error.message());
        restoreButton->setEnabled(false);
        platform::services().reportError(this, error.message());
        return false;
    }
    const backup::Manifest &m = chosen_->manifest;
    archiveLabel->setText(QStringLiteral("%1\nutworzona %2, %3, %4")
                              .arg(QDir::toNativeSeparators(archivePath),
                                   m.created.toString(QStringLiteral("yyyy-MM-dd HH:mm")), files(m.entries.size()),
                                   backup::sizeText(m.totalBytes())));
    for (const backup::ManifestEntry &e : m.entries)
        archiveContents->addItem(QStringLiteral("%1  (%2)").arg(e.name, backup::sizeText(e.size)));
    restoreButton->setEnabled(config_.has_value());
    return true;
}

bool ArchiverWindow::restoreChosen()
{
    if (!config_ || !chosen_)
        return false;
    const QString programDir = QDir::fromNativeSeparators(config_->programDir);
    if (!platform::services().ask(this,
                                  QStringLiteral("Przywrócić kopię z %1 do folderu %2?\n\nPliki zmienione od czasu kopii "
                                                 "zostaną pokazane przed zastąpieniem.")
                                      .arg(chosen_->manifest.created.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                           QDir::toNativeSeparators(programDir)),
                                  Caption))
        return false;
    setBusy(true);
    status->setText(QStringLiteral("Sprawdzanie i przywracanie kopii…"));
    bool ok = false;
    try {
        const QDateTime when = platform::services().now();
        const backup::RestoreResult result = backup::restoreBackup(
            chosen_->path, programDir,
            [this](const backup::ConflictGroup &group) {
                return platform::services().askDefaultNo(this, group.question(), Caption);
            },
            [this](qint64 d, qint64 t) { return step(d, t); });
        backup::RegisterEntry entry;
        entry.kind = backup::RegisterEntry::Restore;
        entry.when = when;
        entry.files = static_cast<quint32>(result.restored);
        entry.kept = static_cast<quint32>(result.kept);
        entry.unchanged = static_cast<quint32>(result.unchanged);
        entry.archive = chosen_->path;
        recordInRegister(this, programDir, entry, QStringLiteral("Kopię przywrócono"));
        ok = true;
        const QString text = restoreReport(result);
        status->setText(text.section(QLatin1Char('\n'), 0, 0));
        platform::services().inform(this, text, Caption);
    } catch (const backup::Cancelled &) {
        status->setText(QStringLiteral("Przywracanie przerwano; folder programu nie został zmieniony."));
    } catch (const backup::BackupError &error) {
        showFailure(this, status, error);
    }
    setBusy(false);
    refresh();
    return ok;
}
