#pragma once

#include <QByteArray>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// One start of a program that says "shown" and "mapped" (MappedSignal.h): the times from the
// launch to each, and the peak memory, read when the program has ended.
struct CStart
{
    double ShownMs = 0;
    double Ms = 0;
    double PeakMB = 0;
};

inline CStart Launch(const QByteArray &program, const QByteArray &argument)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.constData(), program.constData(), argument.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    CStart start;
    QByteArray said;
    char buffer[256];
    ssize_t read = 0;
    while (!said.contains("mapped") && (read = ::read(out[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, read);
        if (start.ShownMs == 0 && said.contains("shown"))
            start.ShownMs = double(clock.nsecsElapsed()) / 1e6;
    }
    start.Ms = double(clock.nsecsElapsed()) / 1e6;
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!said.contains("mapped") || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not show its window (exit %d)\n", program.constData(),
                     WEXITSTATUS(status));
        std::exit(1);
    }
    start.PeakMB = double(usage.ru_maxrss) / 1024;
    return start;
}
