#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <optional>

class QPrinter;
class QWidget;

namespace platform {

struct FileDialogSettings {
    QString title;
    QString filter;           // Qt form, e.g. "Pliki dyplomów (*.dyp)"
    QString defaultExtension; // as handed over, e.g. "*.dyp"
    QString initialFolder;    // relative to the current directory
    QString fileName;         // the name offered (the dialog's last one)
    bool overwritePrompt = false;
};

// The machine is not on a network that reaches the server: for the update
// check that is being offline, not a failed download.
inline constexpr int DownloadNoNetwork = -2;

// What a font dialog reports and starts from.
struct FontChoice {
    QString face;
    std::int32_t size = 0;
    std::uint8_t style = 0;   // bold 1, italic 2, underline 4, strike-out 8
    std::uint32_t colour = 0; // 0x00BBGGRR or 0xFF0000nn
};

// Every modal interaction and outside effect of the system goes through
// this seam, so that tests can answer and observe without blocking.
class Platform {
public:
    virtual ~Platform() = default;

    // Modal message boxes.
    virtual bool ask(QWidget *parent, const QString &text, const QString &caption) = 0; // Yes/No
    // Yes/No where Enter answers No: for questions whose Yes loses data.
    virtual bool askDefaultNo(QWidget *parent, const QString &text, const QString &caption)
    {
        return ask(parent, text, caption);
    }
    virtual void inform(QWidget *parent, const QString &text, const QString &caption) = 0; // OK
    virtual void reportError(QWidget *parent, const QString &text) = 0;                    // the default error report
    // A question with buttons of its own, the first the default and the
    // last the one Esc and closing the box press: the index of the one
    // pressed, -1 for none. The default asks Yes/No: Yes is the first.
    virtual int choose(QWidget *parent, const QString &text, const QString &caption, const QStringList &buttons)
    {
        if (buttons.isEmpty())
            return -1;
        return ask(parent, text, caption) ? 0 : int(buttons.size()) - 1;
    }

    // Dialogs; nullopt when cancelled.
    virtual std::optional<QString> openFileName(QWidget *parent, const FileDialogSettings &settings) = 0;
    virtual std::optional<QString> saveFileName(QWidget *parent, const FileDialogSettings &settings) = 0;
    // A folder (settings.title, initialFolder); the seam's doubles may
    // answer it as a save dialog.
    virtual std::optional<QString> chooseFolder(QWidget *parent, const FileDialogSettings &settings)
    {
        return saveFileName(parent, settings);
    }
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) = 0;
    virtual bool printDialog(QWidget *parent, QPrinter &printer) = 0;

    // Outside effects.
    virtual void exitProcess(int code) = 0;
    virtual void setWindowOpacity(QWidget *window, int alpha) = 0; // 0..255
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    // False when nothing could open it (no launcher installed).
    virtual bool shellOpen(QWidget *owner, const QString &address) = 0;
    virtual std::uint32_t connectionFlags() = 0; // 1 modem, 2 LAN
    // Synchronous download to a local file; 0 when the file was stored,
    // DownloadNoNetwork when the server's name does not resolve or no route
    // leads to it, any other value for every other failure.
    virtual int download(const QString &address, const QString &localPath) = 0;
    virtual QDateTime now() = 0;
};

// The installed seam; the real one unless a test installs its own.
Platform &services();
void installServices(Platform *platform);

// Shows an exception through the default error report.
void reportException(QWidget *parent, const std::exception &error);

} // namespace platform
