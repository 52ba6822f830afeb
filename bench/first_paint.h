#pragma once

#include <QObject>

#include <cstdint>
#include <utility>
#include <vector>

class QWidget;

// What the start-up probes measure: how long after the process started its
// window had been painted for the first time, and the peak resident set by then.
namespace spirelle::bench {

// Now on CLOCK_BOOTTIME, the clock /proc/<pid>/stat's starttime is kept on, in ns.
std::int64_t BoottimeNs();

// When this process started, on that clock, from /proc/self/stat (a whole number
// of clock ticks, usually 10 ms, rounded down); -1 if it cannot be read.
std::int64_t ProcessStartNs();

// CPU time this process has used so far, all its threads, user and system, in ms.
double CpuMs();

// Peak resident set size so far, in kB (getrusage's ru_maxrss).
long PeakRssKb();

// Construct it first thing in main(). mark() notes the time of a step of the
// start-up; watch() waits for the window's first paint, then prints the report
// on stdout and quits the application.
//
// The first paint counts as done when the event loop gets control back after
// the window received its first QEvent::Paint: by then Qt has painted the
// window and all its visible children into the backing store and flushed it to
// the display. The moment the Paint event arrived is reported too (paint-start).
//
// The report, one key=value a line: first-paint-ms and main-ms (since the
// process start), cpu-first-paint-ms (the CPU time of all the process's
// threads by then, in ms), peak-rss-kb and the resident set split (rssanon-kb,
// rssfile-kb, rssshmem-kb), clock-tick-ms; spawn-first-paint-ms and
// spawn-main-ms when SPIRELLE_BENCH_SPAWN_NS holds the launcher's CLOCK_BOOTTIME
// just before it started the process; step.<name>-ms for each mark since the
// top of main(); window=<width>x<height>. SPIRELLE_BENCH_SMAPS=<file> also
// saves /proc/self/smaps there.
class StartupReport : public QObject {
public:
    StartupReport();

    void mark(const char *step);
    void watch(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish();

    std::int64_t m_mainNs;
    std::vector<std::pair<const char *, std::int64_t>> m_marks;
    QWidget *m_window = nullptr;
    bool m_painted = false;
};

} // namespace spirelle::bench
