#include "first_paint.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace spirelle::bench {

std::int64_t BoottimeNs()
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::int64_t ProcessStartNs()
{
    std::ifstream in("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name (field 2) is in parentheses and may hold spaces; the
    // fields after its closing parenthesis start with field 3.
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int n = 3; n <= 22 && fields >> field; ++n) {
        if (n == 22) {
            const long ticksPerSecond = sysconf(_SC_CLK_TCK);
            const long long ticks = std::stoll(field);
            return ticks * (1'000'000'000 / ticksPerSecond);
        }
    }
    return -1;
}

namespace {

// The resident set at this moment, split: heap and other anonymous memory,
// file mappings (code of the libraries, fonts, caches), shared memory.
void PrintResidentSplit()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        for (const char *key : {"RssAnon:", "RssFile:", "RssShmem:"}) {
            if (line.rfind(key, 0) == 0) {
                std::istringstream value(line.substr(std::strlen(key)));
                long kb = 0;
                value >> kb;
                std::string name(key, std::strlen(key) - 1);
                for (char &c : name)
                    c = char(std::tolower(static_cast<unsigned char>(c)));
                std::printf("%s-kb=%ld\n", name.c_str(), kb);
            }
        }
    }
}

} // namespace

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

StartupReport::StartupReport() : m_mainNs(BoottimeNs()) {}

void StartupReport::mark(const char *step)
{
    m_marks.emplace_back(step, BoottimeNs());
}

void StartupReport::watch(QWidget *window)
{
    m_window = window;
    window->installEventFilter(this);
}

bool StartupReport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        mark("paint-start");
        // Runs once the paint of the whole window and its flush are over.
        QTimer::singleShot(0, this, [this] { finish(); });
    }
    return QObject::eventFilter(watched, event);
}

void StartupReport::finish()
{
    mark("first-paint");
    const std::int64_t doneNs = m_marks.back().second;
    const double cpuMs = CpuMs();
    const long rssKb = PeakRssKb();
    const auto ms = [](std::int64_t ns) { return double(ns) / 1e6; };

    // Since the process started, as the kernel has it.
    const std::int64_t startNs = ProcessStartNs();
    if (startNs >= 0) {
        std::printf("first-paint-ms=%.2f\n", ms(doneNs - startNs));
        std::printf("main-ms=%.2f\n", ms(m_mainNs - startNs));
    }
    std::printf("cpu-first-paint-ms=%.2f\n", cpuMs);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto tvMs = [](const timeval &tv) { return double(tv.tv_sec) * 1e3 + double(tv.tv_usec) / 1e3; };
    std::printf("cpu-user-ms=%.2f\n", tvMs(usage.ru_utime));
    std::printf("cpu-system-ms=%.2f\n", tvMs(usage.ru_stime));
    std::printf("minor-faults=%ld\n", usage.ru_minflt);
    std::printf("peak-rss-kb=%ld\n", rssKb);
    PrintResidentSplit();
    std::printf("clock-tick-ms=%.0f\n", 1000.0 / double(sysconf(_SC_CLK_TCK)));

    // Since the launcher's note of the time just before it started this
    // process, when it left one: the same span without the tick rounding.
    if (const char *spawn = std::getenv("SPIRELLE_BENCH_SPAWN_NS")) {
        const std::int64_t spawnNs = std::strtoll(spawn, nullptr, 10);
        std::printf("spawn-first-paint-ms=%.2f\n", ms(doneNs - spawnNs));
        std::printf("spawn-main-ms=%.2f\n", ms(m_mainNs - spawnNs));
    }

    // Each step since the top of main().
    for (const auto &[step, ns] : m_marks)
        std::printf("step.%s-ms=%.2f\n", step, ms(ns - m_mainNs));
    std::printf("window=%dx%d\n", m_window->width(), m_window->height());

    // Every mapping with its resident size, for finding where the memory goes.
    if (const char *path = std::getenv("SPIRELLE_BENCH_SMAPS")) {
        std::ifstream smaps("/proc/self/smaps");
        std::ofstream(path) << smaps.rdbuf();
    }
    std::fflush(stdout);
    QCoreApplication::quit();
}

} // namespace spirelle::bench
