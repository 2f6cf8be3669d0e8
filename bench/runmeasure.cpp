// runmeasure COMMAND [ARGS...]: runs the command and prints one line
//   wall_ms cpu_ms maxrss_kib status
// wall time from a monotonic clock, CPU (user + system) and peak resident set of the child
// from wait4(). Finer than GNU time's 10 ms wall clock, which is too coarse for a start-up of
// a few tens of milliseconds.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double ms(const timeval &t)
{
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

double nowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: runmeasure COMMAND [ARGS...]\n");
        return 2;
    }
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 2;
    }
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        std::fprintf(stderr, "runmeasure: cannot run %s: %s\n", argv[1], std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("wait4");
            return 2;
        }
    }
    const double wall = nowMs() - start;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("%.3f %.3f %ld %d\n", wall, ms(usage.ru_utime) + ms(usage.ru_stime),
                usage.ru_maxrss, code);
    return code == 0 ? 0 : 1;
}
