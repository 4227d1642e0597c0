#pragma once
#include "platform/UserError.h"

#include <functional>

namespace backup {

// A failure the user is told about, naming the file or folder concerned;
// a cancel is one too (nothing is left behind).
using BackupError = platform::UserError;
using Cancelled = platform::Cancelled;

// Reports how far a long operation is (bytes done of total); false cancels.
using ProgressFn = std::function<bool(qint64 done, qint64 total)>;

} // namespace backup
