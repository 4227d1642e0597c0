// Cost of the main window's 10 ms tick when nothing changes, and when the
// user types (one caption and one position change per tick).
#include "TForm1.h"
#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

struct Editor {
    Editor()
    {
        for (const char *folder : {"Admini", "Wzory"})
            QDir(dir.path()).mkpath(QLatin1String(folder));
        QFile::copy(QStringLiteral(DYPLOM_SOURCE_DIR "/data/Wzory/BDR_0001.wmf"),
                    dir.filePath(QStringLiteral("Wzory/BDR_0001.wmf")));
        QDir::setCurrent(dir.path());
        form = std::make_unique<TForm1>();
        form->Timer1->stop();
        form->show();
        form->Timer1Timer();
        QCoreApplication::processEvents();
    }
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
};

void IdleTick(benchmark::State &state)
{
    Editor editor;
    for (auto _ : state) {
        editor.form->Timer1Timer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(IdleTick);

void TypingTick(benchmark::State &state)
{
    Editor editor;
    int n = 0;
    for (auto _ : state) {
        editor.form->naglowek->setText(QString::number(++n));
        editor.form->Timer1Timer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(TypingTick);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication>(argc, argv);
}
