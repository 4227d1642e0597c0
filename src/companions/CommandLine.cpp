#include "CommandLine.h"

namespace companions {
namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList splitWindowsCommandLine(const QString &commandLine)
{
    QStringList out;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;
    while (i < n && isBlank(commandLine.at(i)))
        ++i;
    if (i == n)
        return out;

    // Program name: quotes toggle, nothing is escaped.
    QString program;
    bool quoted = false;
    for (; i < n; ++i) {
        const QChar c = commandLine.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && isBlank(c))
            break;
        else
            program.append(c);
    }
    out.append(program);

    while (true) {
        while (i < n && isBlank(commandLine.at(i)))
            ++i;
        if (i == n)
            break;
        QString arg;
        quoted = false;
        while (i < n) {
            const QChar c = commandLine.at(i);
            if (c == QLatin1Char('\\')) {
                qsizetype slashes = 0;
                while (i < n && commandLine.at(i) == QLatin1Char('\\')) {
                    ++slashes;
                    ++i;
                }
                if (i < n && commandLine.at(i) == QLatin1Char('"')) {
                    arg.append(QString(slashes / 2, QLatin1Char('\\')));
                    if (slashes % 2 == 1) {
                        arg.append(QLatin1Char('"'));
                        ++i;
                    }
                } else {
                    arg.append(QString(slashes, QLatin1Char('\\')));
                }
                continue;
            }
            if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < n && commandLine.at(i + 1) == QLatin1Char('"')) {
                    arg.append(QLatin1Char('"'));
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            if (!quoted && isBlank(c))
                break;
            arg.append(c);
            ++i;
        }
        out.append(arg);
    }
    return out;
}

} // namespace companions
