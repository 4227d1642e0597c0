#include "QtPlatform.h"
#include "DataPath.h"
#include "RecordFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <unistd.h>

namespace platform {
namespace {

QtPlatform::FontDialogRunner &fontDialogRunner()
{
    static QtPlatform::FontDialogRunner runner;
    return runner;
}

// After a failed connection: true when the server's name does not resolve or
// the kernel knows no route to it (network or host unreachable), which the
// reply reports only as an unknown network error.
bool noRouteTo(const QUrl &url)
{
    QTcpSocket probe;
    probe.connectToHost(url.host(), quint16(url.port(url.scheme() == QLatin1String("https") ? 443 : 80)));
    probe.waitForConnected(2000);
    const QAbstractSocket::SocketError error = probe.error();
    probe.abort();
    return error == QAbstractSocket::HostNotFoundError || error == QAbstractSocket::NetworkError;
}

void prepareFileDialog(QFileDialog &dialog, const FileDialogSettings &settings)
{
    dialog.setWindowTitle(settings.title);
    dialog.setNameFilter(settings.filter);
    QString suffix = settings.defaultExtension;
    suffix.remove(QStringLiteral("*")).remove(0, suffix.startsWith(QLatin1Char('.')) ? 1 : 0);
    dialog.setDefaultSuffix(suffix);
    // A linked folder (the per-user Dyplomy) opens at its target, the folder
    // the user knows.
    // A remembered folder is absolute: joined to the current directory it
    // would name nothing and the dialog would open in the current one.
    const QFileInfo folder(QDir::isAbsolutePath(settings.initialFolder)
                               ? settings.initialFolder
                               : resolveDataPath(currentDirectory(), settings.initialFolder));
    dialog.setDirectory(folder.isSymLink() && folder.isDir() ? folder.canonicalFilePath() : folder.filePath());
    if (!settings.fileName.isEmpty())
        dialog.selectFile(settings.fileName);
}

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

bool QtPlatform::ask(QWidget *parent, const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

bool QtPlatform::askDefaultNo(QWidget *parent, const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtPlatform::choose(QWidget *parent, const QString &text, const QString &caption, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::NoButton, parent);
    QList<QPushButton *> shown;
    for (int i = 0; i < buttons.size(); ++i)
        shown.append(box.addButton(buttons[i], i == 0                    ? QMessageBox::AcceptRole
                                               : i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                         : QMessageBox::DestructiveRole));
    if (!shown.isEmpty()) {
        box.setDefaultButton(shown.first());
        box.setEscapeButton(shown.last()); // Esc and the close box: the last, the cancelling one
    }
    box.exec();
    return int(shown.indexOf(box.clickedButton()));
}

void QtPlatform::inform(QWidget *parent, const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtPlatform::reportError(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Błąd"), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtPlatform::openFileName(QWidget *parent, const FileDialogSettings &settings)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a name that does not exist is accepted
    prepareFileDialog(dialog, settings);
    return runFileDialog(dialog);
}

std::optional<QString> QtPlatform::saveFileName(QWidget *parent, const FileDialogSettings &settings)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.overwritePrompt);
    prepareFileDialog(dialog, settings);
    return runFileDialog(dialog);
}

std::optional<QString> QtPlatform::chooseFolder(QWidget *parent, const FileDialogSettings &settings)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    prepareFileDialog(dialog, settings);
    return runFileDialog(dialog);
}

std::optional<FontChoice> QtPlatform::chooseFont(QWidget *parent, const FontChoice &current)
{
    if (fontDialogRunner())
        return fontDialogRunner()(parent, current);
    QFont font(current.face);
    font.setPointSize(current.size > 0 ? current.size : 12);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (!ok)
        return std::nullopt;
    FontChoice choice;
    choice.face = chosen.family();
    choice.size = chosen.pointSize();
    choice.style = (chosen.weight() > QFont::Normal ? 1 : 0) | (chosen.italic() ? 2 : 0) | (chosen.underline() ? 4 : 0)
                   | (chosen.strikeOut() ? 8 : 0);
    choice.colour = current.colour;
    return choice;
}

void QtPlatform::setFontDialogRunner(FontDialogRunner runner)
{
    fontDialogRunner() = std::move(runner);
}

bool QtPlatform::printDialog(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::exitProcess(int code)
{
    ::_exit(code);
}

void QtPlatform::setWindowOpacity(QWidget *window, int alpha)
{
    window->setWindowOpacity(alpha / 255.0);
}

bool QtPlatform::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool QtPlatform::shellOpen(QWidget *, const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

std::uint32_t QtPlatform::connectionFlags()
{
    constexpr std::uint32_t Lan = 2;
    if (!QNetworkInformation::instance()
        && !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return Lan; // nothing can tell: assume connected
    auto *info = QNetworkInformation::instance();
    if (!info || info->reachability() == QNetworkInformation::Reachability::Unknown)
        return Lan;
    return info->reachability() == QNetworkInformation::Reachability::Disconnected ? 0 : Lan;
}

int QtPlatform::download(const QString &address, const QString &localPath)
{
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(address)};
    request.setTransferTimeout(downloadTimeoutMs_);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(downloadTimeoutMs_);
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    int result = 0;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::HostNotFoundError
        || (reply->error() == QNetworkReply::UnknownNetworkError && noRouteTo(reply->url())))
        result = DownloadNoNetwork;
    else if (reply->error() != QNetworkReply::NoError)
        result = reply->error();
    else if (status != 0 && (status < 200 || status >= 300))
        result = status;
    else {
        try {
            writeRecordFile(localPath, reply->readAll());
        } catch (const std::exception &) {
            result = -1;
        }
    }
    reply->deleteLater();
    return result;
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

} // namespace platform
