#pragma once
#include <QByteArray>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A private X server for the tests that need a real window system. Started
// before the QApplication exists (so no QProcess); Xvfb picks a free display
// and reports its number through a pipe.
class XvfbDisplay {
public:
    XvfbDisplay() = default;
    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;
    ~XvfbDisplay()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // The DISPLAY value, or empty when the server did not come up in time.
    QByteArray start(int timeoutMs = 15000)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return {};
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                     "-noreset", static_cast<char *>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        if (pid_ < 0) {
            ::close(fds[0]);
            return {};
        }
        std::string number;
        pollfd waiting{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&waiting, 1, timeoutMs) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (number.empty())
            return {};
        return QByteArray(":") + QByteArray::fromStdString(number);
    }

    // Starts the server and points Qt (not yet started) at it; says on stderr
    // why not when the server does not come up.
    bool startForQt()
    {
        const QByteArray display = start();
        if (display.isEmpty()) {
            std::fprintf(stderr, "Xvfb did not start\n");
            return false;
        }
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }

private:
    pid_t pid_ = -1;
};
