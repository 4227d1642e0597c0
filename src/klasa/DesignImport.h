#pragma once
#include <QObject>
#include <QString>

class QProcess;

namespace klasa {

// Adds a design to a catalogue through dyplom-wzory, in a process of its own:
// a hostile or huge file then costs that process, under its CPU and memory
// limits, never this window and the list the teacher has been editing. The
// window's own threads also rule out converting in a forked copy of it.
class DesignImport : public QObject {
    Q_OBJECT
public:
    explicit DesignImport(QObject *parent = nullptr);

    // dyplom-wzory beside this program (else on PATH) unless set.
    QString program;

    // Starts adding design to templatesFolder (a Wzory folder) as its next free
    // number; false, with finished() already sent, when it cannot start.
    bool start(const QString &design, const QString &templatesFolder);
    bool running() const { return process_ != nullptr; }

signals:
    // number > 0: the design is that template now; otherwise error says why.
    void finished(int number, const QString &error);

private:
    QString programPath() const;
    void done(int exitCode, bool crashed);

    QProcess *process_ = nullptr;
    QString design_;
    int number_ = 0;
};

} // namespace klasa
