#pragma once
#include "ScriptedPlatform.h"
#include "TForm1.h"
#include "TempProgramDir.h"
#include "platform/WidgetFactory.h"
#include "wmf/MetafileWriter.h"

#include <QFile>
#include <QLabel>
#include <QTimer>
#include <memory>

// A small template whose colour tells which one is loaded.
inline QByteArray templateBytes(QColor colour)
{
    wmf::MetafileWriter writer(QRect(0, 0, 2100, 2970), 254);
    writer.selectObject(writer.createBrush(0, colour));
    writer.rectangle(QRect(100, 100, 1900, 2770));
    return writer.finish();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A ProgramDir with templates of the given numbers, the seam's test double
// and the main window created in it.
struct AppFixture {
    explicit AppFixture(const QList<int> &templates = {1, 2},
                        const QStringList &folders = {QStringLiteral("Admini"), QStringLiteral("Wzory"),
                                                      QStringLiteral("Dyplomy")})
        : dir(folders)
    {
        for (int n : templates)
            writeFile(dir.file(QStringLiteral("Wzory/BDR_%1.wmf").arg(n, 4, 10, QLatin1Char('0'))),
                      templateBytes(QColor::fromHsv((n * 40) % 360, 200, 200)));
    }

    TForm1 &form()
    {
        if (!window) {
            window = std::make_unique<TForm1>();
            window->Timer1->stop(); // tests tick by hand
        }
        return *window;
    }
    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            form().Timer1Timer();
    }

    ScriptedPlatform platform;
    TempProgramDir dir;
    std::unique_ptr<TForm1> window;
};
