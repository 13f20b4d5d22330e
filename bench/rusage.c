/* A bench helper, not one of the programs: runs a command and appends to REPORT one line
 * "WALL_MS CPU_MS PEAK_KB STATUS", the wall time from just before the fork to just after the wait,
 * the user and system time of the command and of everything it waited for, and the largest
 * resident set any of them reached. Timing through a tiny C program rather than the shell keeps
 * the shell's own forks and the clock's granularity (/usr/bin/time gives CPU in hundredths) out
 * of runs that take a few milliseconds.
 * Usage: rusage REPORT COMMAND [ARG...]; the exit status is the command's (128 + N for signal N).
 */
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double ms(struct timeval t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; }

int main(int argc, char **argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: rusage REPORT COMMAND [ARG...]\n");
        return 125;
    }
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t child = fork();
    if (child < 0) {
        perror("rusage: fork");
        return 125;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        fprintf(stderr, "rusage: cannot run %s: %s\n", argv[2], strerror(errno));
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            perror("rusage: waitpid");
            return 125;
        }
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    struct rusage usage;
    if (getrusage(RUSAGE_CHILDREN, &usage) != 0) {
        perror("rusage: getrusage");
        return 125;
    }
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    double wall = (end.tv_sec - start.tv_sec) * 1000.0 + (end.tv_nsec - start.tv_nsec) / 1e6;
    FILE *report = fopen(argv[1], "a");
    if (report == NULL || fprintf(report, "%.3f %.3f %ld %d\n", wall,
                                  ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss,
                                  code) < 0 ||
        fclose(report) != 0) {
        perror("rusage: the report");
        return 125;
    }
    return code;
}
