#include "ScriptedPlatform.h"

// GCC 12 sees a moved-from std::optional<QString> as maybe uninitialised.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace {
template <typename T>
T take(std::deque<T> &queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
} // namespace

QStringList ScriptedPlatform::texts(const QString &kind) const
{
    QStringList out;
    for (const Message &m : messages)
        if (m.kind == kind)
            out.append(m.text);
    return out;
}

QStringList ScriptedPlatform::errors() const
{
    return texts(QStringLiteral("error"));
}

bool ScriptedPlatform::ask(QWidget *, const QString &text, const QString &caption)
{
    messages.append({QStringLiteral("ask"), text, caption});
    return take(answers, false);
}

bool ScriptedPlatform::askDefaultNo(QWidget *, const QString &text, const QString &caption)
{
    messages.append({QStringLiteral("ask"), text, caption, true});
    return take(answers, false);
}

int ScriptedPlatform::choose(QWidget *, const QString &text, const QString &caption, const QStringList &buttons)
{
    messages.append({QStringLiteral("choose"),
                     text + QStringLiteral(" [") + buttons.join(QStringLiteral(" | ")) + QLatin1Char(']'), caption});
    return take(choices, -1);
}

void ScriptedPlatform::inform(QWidget *, const QString &text, const QString &caption)
{
    messages.append({QStringLiteral("inform"), text, caption});
}

void ScriptedPlatform::reportError(QWidget *, const QString &text)
{
    messages.append({QStringLiteral("error"), text, QString()});
}

std::optional<QString> ScriptedPlatform::openFileName(QWidget *, const platform::FileDialogSettings &settings)
{
    fileDialogs.append(settings);
    return take<std::optional<QString>>(openAnswers, std::nullopt);
}

std::optional<QString> ScriptedPlatform::saveFileName(QWidget *, const platform::FileDialogSettings &settings)
{
    fileDialogs.append(settings);
    return take<std::optional<QString>>(saveAnswers, std::nullopt);
}

std::optional<platform::FontChoice> ScriptedPlatform::chooseFont(QWidget *, const platform::FontChoice &current)
{
    fontDialogsOpenedWith.append(current);
    return take<std::optional<platform::FontChoice>>(fontAnswers, std::nullopt);
}

bool ScriptedPlatform::printDialog(QWidget *, QPrinter &printer)
{
    const bool confirmed = take(printAnswers, false);
    if (confirmed && preparePrinter)
        preparePrinter(printer);
    return confirmed;
}

bool ScriptedPlatform::startDetached(const QString &program, const QStringList &arguments)
{
    started.append({program, arguments});
    return startSucceeds;
}

int ScriptedPlatform::download(const QString &address, const QString &localPath)
{
    downloads.append(address);
    return downloader ? downloader(address, localPath) : 1;
}
