#pragma once
#include "platform/Platform.h"

#include <QList>
#include <QPointer>
#include <deque>
#include <functional>

// The seam's test double: answers come from queues, effects are recorded.
// An empty answer queue means "No" / "Cancel".
class ScriptedPlatform : public platform::Platform {
public:
    ScriptedPlatform() { platform::installServices(this); }
    ~ScriptedPlatform() override { platform::installServices(nullptr); }

    struct Message {
        QString kind; // "ask", "choose", "inform", "error"
        QString text;
        QString caption;
        bool defaultNo = false; // asked with Enter meaning No
    };
    QList<Message> messages;
    QStringList errors() const;
    QStringList texts(const QString &kind) const;

    std::deque<bool> answers;
    std::deque<int> choices; // choose(): the button's index; empty: -1 (closed)
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    QList<platform::FileDialogSettings> fileDialogs;
    std::deque<std::optional<platform::FontChoice>> fontAnswers;
    QList<platform::FontChoice> fontDialogsOpenedWith;
    std::deque<bool> printAnswers;
    std::function<void(QPrinter &)> preparePrinter;

    QList<int> exitCodes;
    QList<int> opacities;
    struct Started {
        QString program;
        QStringList arguments;
    };
    QList<Started> started;
    bool startSucceeds = true;
    QStringList opened;
    std::uint32_t flags = 2;
    QStringList downloads;
    std::function<int(const QString &, const QString &)> downloader;
    QDateTime clock = QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3));

    bool ask(QWidget *, const QString &text, const QString &caption) override;
    bool askDefaultNo(QWidget *, const QString &text, const QString &caption) override;
    int choose(QWidget *, const QString &text, const QString &caption, const QStringList &buttons) override;
    void inform(QWidget *, const QString &text, const QString &caption) override;
    void reportError(QWidget *, const QString &text) override;
    std::optional<QString> openFileName(QWidget *, const platform::FileDialogSettings &settings) override;
    std::optional<QString> saveFileName(QWidget *, const platform::FileDialogSettings &settings) override;
    std::optional<platform::FontChoice> chooseFont(QWidget *, const platform::FontChoice &current) override;
    bool printDialog(QWidget *, QPrinter &printer) override;
    void exitProcess(int code) override { exitCodes.append(code); }
    void setWindowOpacity(QWidget *, int alpha) override { opacities.append(alpha); }
    bool startDetached(const QString &program, const QStringList &arguments) override;
    bool shellOpenSucceeds = true; // false: as without a launcher
    bool shellOpen(QWidget *, const QString &address) override
    {
        opened.append(address);
        return shellOpenSucceeds;
    }
    std::uint32_t connectionFlags() override { return flags; }
    int download(const QString &address, const QString &localPath) override;
    QDateTime now() override { return clock; }
};
