// SPDX-License-Identifier: GPL-3.0-or-later
#include "process_stats.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include <sys/resource.h>
#include <sys/utsname.h>

namespace vermo::bench {

namespace {
long statusKib(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(field.size()));
    }
    return -1;
}
}  // namespace

long residentKib()
{
    return statusKib("VmRSS:");
}

long peakResidentKib()
{
    return statusKib("VmHWM:");
}

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double cpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string machineLine()
{
    std::string model = "unknown CPU";
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    }
    std::string load = "?";
    std::ifstream loadavg("/proc/loadavg");
    std::getline(loadavg, load);
    utsname name {};
    ::uname(&name);
    std::ostringstream out;
    out << std::thread::hardware_concurrency() << " cores, " << model << ", kernel " << name.release
        << ", loadavg " << load;
    return out.str();
}

std::string megabytes(long kib)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kib) / 1024.0);
    return text;
}

}  // namespace vermo::bench
