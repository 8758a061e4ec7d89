// Runs a program RUNS times and prints, one line per run, its wall time in microseconds, its
// peak resident memory in kilobytes and its exit status:
//   process_timer RUNS PROGRAM [ARG...]
// The clock starts just before fork and stops when wait4 has reaped the child, so a figure is
// the process's whole life, exit included; the memory is the child's own ru_maxrss, not that of
// this program. The program's output is discarded. The environment is passed through unchanged.
// Exits 0 when every run exited 0.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

struct RunFigures {
    long long wallMicroseconds = 0;
    long maxRssKilobytes = 0;
    int status = 0;  // the exit code, 128 + the signal, or -1 when the run could not start
};

long long NowMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

RunFigures RunOnce(char** argv) {
    RunFigures figures;
    const long long start = NowMicroseconds();
    const pid_t child = fork();
    if (child < 0) {
        figures.status = -1;
        return figures;
    }
    if (child == 0) {
        // The program's own output would mix with the figures.
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        figures.status = -1;
        return figures;
    }
    figures.wallMicroseconds = NowMicroseconds() - start;
    figures.maxRssKilobytes = usage.ru_maxrss;
    figures.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc >= 3 ? std::atoi(argv[1]) : 0;
    if (runs <= 0) {
        std::fprintf(stderr, "usage: process_timer RUNS PROGRAM [ARG...]\n");
        return 2;
    }
    bool allPassed = true;
    for (int i = 0; i < runs; ++i) {
        const RunFigures figures = RunOnce(argv + 2);
        std::printf("%lld %ld %d\n", figures.wallMicroseconds, figures.maxRssKilobytes,
                    figures.status);
        std::fflush(stdout);
        allPassed = allPassed && figures.status == 0;
    }
    return allPassed ? 0 : 1;
}
