#pragma once
#include <QString>
#include <functional>
#include <stdexcept>

namespace backup {

// A failure the user is told about: the text is Polish and names the file
// or folder concerned.
class BackupError : public std::runtime_error {
public:
    explicit BackupError(const QString &message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

// Thrown when the user cancelled; nothing is left behind.
class Cancelled : public BackupError {
public:
    Cancelled() : BackupError(QStringLiteral("Przerwano na życzenie użytkownika.")) {}
};

// Reports how far a long operation is (bytes done of total); false cancels.
using ProgressFn = std::function<bool(qint64 done, qint64 total)>;

} // namespace backup
