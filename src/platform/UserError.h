#pragma once
#include <QString>
#include <stdexcept>

namespace platform {

// A failure the user is told about: message() is the whole Polish one-line
// text, naming the file or folder concerned; what() is the same in UTF-8.
// Every program's own errors are of this type or derive from it.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString &message) : std::runtime_error(message.toStdString()), message_(message) {}
    // "file: what is wrong"
    UserError(const QString &file, const QString &what) : UserError(QStringLiteral("%1: %2").arg(file, what)) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

// The user stopped the work; nothing of it was kept.
class Cancelled : public UserError {
public:
    Cancelled() : UserError(QStringLiteral("Przerwano na życzenie użytkownika.")) {}
};

} // namespace platform
