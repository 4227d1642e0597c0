#pragma once
#include "Platform.h"

#include <functional>

namespace platform {

// The seam on Qt: message boxes, Qt dialogs, QProcess, QDesktopServices,
// QNetworkInformation and QNetworkAccessManager, and _exit.
class QtPlatform : public Platform {
public:
    bool ask(QWidget *parent, const QString &text, const QString &caption) override;
    bool askDefaultNo(QWidget *parent, const QString &text, const QString &caption) override;
    int choose(QWidget *parent, const QString &text, const QString &caption, const QStringList &buttons) override;
    void inform(QWidget *parent, const QString &text, const QString &caption) override;
    void reportError(QWidget *parent, const QString &text) override;
    std::optional<QString> openFileName(QWidget *parent, const FileDialogSettings &settings) override;
    std::optional<QString> saveFileName(QWidget *parent, const FileDialogSettings &settings) override;
    std::optional<QString> chooseFolder(QWidget *parent, const FileDialogSettings &settings) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) override;
    bool printDialog(QWidget *parent, QPrinter &printer) override;
    void exitProcess(int code) override;
    void setWindowOpacity(QWidget *window, int alpha) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
    bool shellOpen(QWidget *owner, const QString &address) override;
    std::uint32_t connectionFlags() override;
    int download(const QString &address, const QString &localPath) override;
    QDateTime now() override;

    // The font dialog is the editor's own; the editor installs it here.
    using FontDialogRunner = std::function<std::optional<FontChoice>(QWidget *, const FontChoice &)>;
    static void setFontDialogRunner(FontDialogRunner runner);

    // Bounded wait of the update download.
    static constexpr int DownloadTimeoutMs = 15000;
    // Tests shorten the wait so that a silent server costs seconds, not minutes.
    void setDownloadTimeout(int milliseconds) { downloadTimeoutMs_ = milliseconds; }
    int downloadTimeout() const { return downloadTimeoutMs_; }

private:
    int downloadTimeoutMs_ = DownloadTimeoutMs;
};

} // namespace platform
