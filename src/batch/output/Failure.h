#pragma once
#include "platform/UserError.h"

namespace batch {

// A failure of a run: what() is the one-line message, naming the file.
class Failure : public platform::UserError {
public:
    Failure(const QString &file, const QString &what) : platform::UserError(file, what) {}
};

} // namespace batch
