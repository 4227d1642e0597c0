#pragma once
#include "platform/UserError.h"

namespace wzory {

// A design that cannot become a template; what() is the Polish one-line reason.
class ImportError : public platform::UserError {
public:
    explicit ImportError(const QString &text) : platform::UserError(text) {}
};

} // namespace wzory
