// Runs COUNT sequential HEAD probes of one address with the HTTP client, each on a fresh
// connection, and prints the client's CPU time per probe (median, 90th percentile, max)
// and its memory (heap bytes in use, resident size) after the first tenth of the probes
// and at the end.
#include "net/EHttpException.h"
#include "net/THttpCli.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

double ThreadCpuMicroseconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s URL COUNT\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[2]);
    THttpCli http;
    http.URL = argv[1];
    http.Agent = "Tarvik 2.1";
    std::vector<double> cpu;
    cpu.reserve(static_cast<std::size_t>(count));
    long earlyRss = 0;
    std::size_t earlyHeap = 0;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        const double start = ThreadCpuMicroseconds();
        try {
            http.Head();
        } catch (const EHttpException&) {
            ++failures;
        }
        cpu.push_back(ThreadCpuMicroseconds() - start);
        http.RcvdHeader().clear();
        if (i == count / 10) {
            earlyHeap = mallinfo2().uordblks;
            earlyRss = ResidentKilobytes();
        }
    }
    const std::size_t endHeap = mallinfo2().uordblks;
    const long endRss = ResidentKilobytes();
    std::sort(cpu.begin(), cpu.end());
    const auto at = [&](double share) { return cpu[static_cast<std::size_t>(share * (cpu.size() - 1))]; };
    std::printf("probes %d, failed %d, last status %d\n", count, failures, http.StatusCode());
    std::printf("client CPU per probe (us): median %.1f, p90 %.1f, max %.1f\n", at(0.5), at(0.9), cpu.back());
    std::printf("heap in use (bytes): after %d probes %zu, at the end %zu\n", count / 10 + 1, earlyHeap, endHeap);
    std::printf("resident memory (kB): after %d probes %ld, at the end %ld\n", count / 10 + 1, earlyRss, endRss);
    return failures == 0 ? 0 : 1;
}
