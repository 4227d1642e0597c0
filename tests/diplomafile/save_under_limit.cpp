// Runs the save command for <target> inside <programDir>, with the file
// size limited to <limit> bytes unless it is "none". Prints the outcome:
// "saved", or the I/O error's code and text.
#include "ScriptedPlatform.h"
#include "diplomafile/DiplomaCommands.h"
#include "platform/IoError.h"
#include "platform/ProcessSetup.h"

#include <QCoreApplication>
#include <QTextStream>

#include <sys/resource.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString target = args.at(1);
    const QString programDir = args.at(2);
    QTextStream out(stdout);

    ScriptedPlatform platform;
    platform.saveAnswers.push_back(target);
    platform.answers.push_back(true);

    if (args.at(3) != QLatin1String("none")) {
        platform::ignoreFileSizeSignal(); // as the editor does
        const rlim_t limit = args.at(3).toULongLong();
        const struct rlimit rl {
            limit, limit
        };
        if (setrlimit(RLIMIT_FSIZE, &rl) != 0)
            return 2;
    }

    diplomafile::DiplomaContent content;
    content.heading.fontName = QStringLiteral("Arial");
    content.heading.size = 40;
    content.texts.heading = QStringLiteral("Nowy dyplom");
    content.templateNumber = 7;
    QString lastName;
    try {
        diplomafile::Zapiszdyplom(nullptr, lastName, programDir, [&] { return content; });
    } catch (const platform::IoError &e) {
        out << e.code() << ' ' << e.what() << Qt::endl;
        return 3;
    }
    out << "saved" << Qt::endl;
    return 0;
}
