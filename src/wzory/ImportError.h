#pragma once
#include <QString>
#include <stdexcept>

namespace wzory {

// A design that cannot become a template; what() is the Polish one-line reason.
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const QString &text) : std::runtime_error(text.toStdString()) {}
};

} // namespace wzory
