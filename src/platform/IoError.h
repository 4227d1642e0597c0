#pragma once
#include <QString>
#include <stdexcept>

namespace platform {

// The run-time library's I/O error: a code and its English text. Raised by
// every failing file operation and shown by the top-level error report.
class IoError : public std::runtime_error {
public:
    explicit IoError(int code);
    int code() const { return code_; }

    static QString textFor(int code);
    // Maps an errno value to the run-time error code.
    static int codeForErrno(int err);
    [[noreturn]] static void raiseFromErrno(int err);

private:
    int code_;
};

namespace IoCode {
constexpr int FileNotFound = 2;
constexpr int InvalidFilename = 3;
constexpr int TooManyOpenFiles = 4;
constexpr int AccessDenied = 5;
constexpr int ReadBeyondEnd = 100;
constexpr int DiskFull = 101;
constexpr int InvalidNumericInput = 106;
} // namespace IoCode

} // namespace platform
