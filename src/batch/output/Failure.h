#pragma once
#include <QString>
#include <stdexcept>

namespace druk {

// A failure of a run: what() is the one-line message, naming the file.
class Failure : public std::runtime_error {
public:
    Failure(const QString &file, const QString &what)
        : std::runtime_error(QStringLiteral("%1: %2").arg(file, what).toStdString())
    {}
};

} // namespace druk
