// `make bench`: runs the benchmark programs with JSON output and prints one table of ratios,
// each measured in this run on this machine, as the median of several repetitions, beside
// its aim. The numbers are reported; a miss does not fail the run.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

namespace {

QTextStream out(stdout);

QString g_benchDir;
QTemporaryDir g_tmp;

double Median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double ToSeconds(double value, const QString& unit) {
    static const std::map<QString, double> scale = {
        {"ns", 1e-9}, {"us", 1e-6}, {"ms", 1e-3}, {"s", 1.0}};
    const auto it = scale.find(unit);
    return it == scale.end() ? value : value * it->second;
}

// Per benchmark name, the values of `field` of every repetition: times in seconds,
// counters as given.
using Samples = std::map<QString, std::map<QString, std::vector<double>>>;

// One benchmark program running with JSON output to a file of its own.
struct Launch {
    std::unique_ptr<QProcess> process;
    QString json;
    QString what;
};

Launch Start(const QString& program, const QStringList& args) {
    static int runs = 0;
    Launch l{std::make_unique<QProcess>(), g_tmp.filePath(QStringLiteral("run%1.json").arg(++runs)),
             program + ' ' + args.join(' ')};
    l.process->setStandardOutputFile(QProcess::nullDevice());  // the programs' own reports
    l.process->start(g_benchDir + '/' + program, args + QStringList{"--benchmark_out=" + l.json,
                                                                    "--benchmark_out_format=json"});
    return l;
}

// Waits for a program started by Start and adds its repetitions to `into`.
void Collect(Launch& l, Samples& into) {
    QProcess& p = *l.process;
    if (!p.waitForFinished(300'000) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        out << "benchtable: " << l.what << " failed:\n"
            << QString::fromLocal8Bit(p.readAllStandardError());
        out.flush();
        std::exit(1);
    }
    QFile file(l.json);
    if (!file.open(QIODevice::ReadOnly)) {
        out << "benchtable: " << l.what << " wrote no " << l.json << '\n';
        std::exit(1);
    }
    const QJsonArray benchmarks =
        QJsonDocument::fromJson(file.readAll()).object().value("benchmarks").toArray();
    for (const QJsonValue& value : benchmarks) {
        const QJsonObject b = value.toObject();
        if (b.value("run_type").toString() != QStringLiteral("iteration") ||
            b.value("error_occurred").toBool()) {
            continue;  // the medians are taken here, over every repetition of every process
        }
        auto& fields = into[b.value("run_name").toString()];
        const QString unit = b.value("time_unit").toString();
        for (auto it = b.begin(); it != b.end(); ++it) {
            if (!it.value().isDouble()) {
                continue;
            }
            const bool time = it.key() == "real_time" || it.key() == "cpu_time";
            fields[it.key()].push_back(time ? ToSeconds(it.value().toDouble(), unit)
                                            : it.value().toDouble());
        }
    }
}

void Run(const QString& program, const QStringList& args, Samples& into) {
    Launch l = Start(program, args);
    Collect(l, into);
}

// Runs one process of each filter at the same time, `rounds` times. For measurements that
// sleep (idle CPU): both sides then meet the same machine, and neither disturbs the other.
void RunSideBySide(const QString& program, const QStringList& filters, int rounds, Samples& into) {
    for (int i = 0; i < rounds; ++i) {
        std::vector<Launch> launches;
        for (const QString& filter : filters) {
            launches.push_back(Start(program, {"--benchmark_filter=" + filter}));
        }
        for (Launch& l : launches) {
            Collect(l, into);
        }
    }
}

// Runs `processes` processes of each filter in turn (a, b, a, b, ...), so that a change of
// the machine's load meets both sides alike.
void RunAlternating(const QString& program, const QStringList& filters, int processes,
                    const QStringList& args, Samples& into) {
    for (int i = 0; i < processes; ++i) {
        for (const QString& filter : filters) {
            Run(program, QStringList{"--benchmark_filter=" + filter} + args, into);
        }
    }
}

struct Row {
    QString what;
    double ours;
    double floor;
    QString unit;  // how the two values are shown
    double aim;
};

QString Show(double value, const QString& unit) {
    if (unit == "s") {  // a time, in the unit that suits it
        if (value >= 1e-3) {
            return QString::number(value * 1e3, 'f', 2) + " ms";
        }
        if (value >= 1e-6) {
            return QString::number(value * 1e6, 'f', 2) + " µs";
        }
        return QString::number(value * 1e9, 'f', 0) + " ns";
    }
    return QString::number(value, 'f', 1) + ' ' + unit;
}

double Get(const Samples& s, const QString& name, const QString& field) {
    const auto b = s.find(name);
    if (b == s.end() || b->second.find(field) == b->second.end()) {
        out << "benchtable: no " << field << " for " << name << '\n';
        out.flush();
        std::exit(1);
    }
    return Median(b->second.at(field));
}

QString Machine() {
    QString model = QStringLiteral("unknown CPU");
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                model = QString::fromUtf8(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
        }
    }
    return QStringLiteral("%1, %2 cores").arg(model).arg(QThread::idealThreadCount());
}

QString Load() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).section(' ', 0, 2)
                                       : QStringLiteral("unknown");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    g_benchDir = app.arguments().value(1, QCoreApplication::applicationDirPath() + "/..");
    // Quick: fewer repetitions, for a smoke run.
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const QString loadBefore = Load();
    qputenv("QT_QPA_PLATFORM", "offscreen");

    Samples startUp;
    RunAlternating("ui/bench_ui", {"^BM_BareWindowFirstFrame/", "^BM_frmMainFirstFrame/"},
                   quick ? 1 : 5, {"--benchmark_min_time=0.2"}, startUp);
    Samples coldStart;  // one window in a fresh process: one sample per process
    RunAlternating("ui/bench_ui", {"^BM_BareWindowColdFirstFrame/", "^BM_frmMainColdFirstFrame/"},
                   quick ? 1 : 9, {}, coldStart);
    Samples button;
    Run("button/bench_button",
        {"--benchmark_filter=^BM_(Button_XP_Refresh|Fusion_QPushButton_Render)_(Normal|Hovered)$",
         QStringLiteral("--benchmark_repetitions=%1").arg(quick ? 2 : 9),
         "--benchmark_enable_random_interleaving=true", "--benchmark_min_time=0.1"},
        button);
    Samples core;
    Run("core/bench_core",
        {"--benchmark_filter=^(open|save without sync)/(raw|core) \\((demo size|4 GiB)\\)$",
         QStringLiteral("--benchmark_repetitions=%1").arg(quick ? 2 : 9),
         "--benchmark_enable_random_interleaving=true", "--benchmark_min_time=0.1"},
        core);
    Samples idle;
    RunSideBySide("idle/bench_idle",
                  {"^BM_IdleEmptyWindow/", "^BM_IdleMainWindow/", "^BM_IdleTickingWindow/"},
                  quick ? 1 : 5, idle);
    const auto idleOf = [&](const char* window, const char* field) {
        return Get(idle, QStringLiteral("BM_Idle%1Window/5/iterations:1/manual_time").arg(window),
                   field);
    };

    // corvane.exe under Wine, where the Windows build and Wine are here: one process of each
    // window at a time, alternating, each a cold window and 20 later ones.
    Samples wine;
    RunAlternating("wine/bench_wine", {"^BM_Win32BareFirstFrame/", "^BM_Win32MainFirstFrame/"},
                   quick ? 1 : 5, {}, wine);
    const auto wineOf = [&](const char* window, const char* field) {
        const QString name =
            QStringLiteral("BM_Win32%1FirstFrame/iterations:20/manual_time").arg(window);
        return wine.count(name) ? Get(wine, name, field) : -1.0;
    };

    const QString frmMainCold = "BM_frmMainColdFirstFrame/iterations:1/manual_time";
    const QString bareCold = "BM_BareWindowColdFirstFrame/iterations:1/manual_time";
    std::vector<Row> rows = {
        {"start-up to first paint, first window of a process: frmMain / bare window",
         Get(coldStart, frmMainCold, "real_time"), Get(coldStart, bareCold, "real_time"), "s",
         1.15},
        {"start-up to first paint, later windows: frmMain / bare window",
         Get(startUp, "BM_frmMainFirstFrame/manual_time", "real_time"),
         Get(startUp, "BM_BareWindowFirstFrame/manual_time", "real_time"), "s", 1.15},
        {"peak RSS of a process showing one window: frmMain / bare window",
         Get(coldStart, frmMainCold, "peak_rss_MiB"), Get(coldStart, bareCold, "peak_rss_MiB"),
         "MiB", 1.10},
        {"Button_XP Refresh 249×33 style 3, normal / Fusion QPushButton",
         Get(button, "BM_Button_XP_Refresh_Normal", "cpu_time"),
         Get(button, "BM_Fusion_QPushButton_Render_Normal", "cpu_time"), "s", 1.0},
        {"Button_XP Refresh 249×33 style 3, hovered / Fusion QPushButton",
         Get(button, "BM_Button_XP_Refresh_Hovered", "cpu_time"),
         Get(button, "BM_Fusion_QPushButton_Render_Hovered", "cpu_time"), "s", 1.0},
        {"Open's file work / raw open+pread+close ×3",
         Get(core, "open/core (demo size)", "cpu_time"),
         Get(core, "open/raw (demo size)", "cpu_time"), "s", 1.5},
        {"Save's file work without sync / raw race-free open+flock+fcntl+pwrite×3+stat+close",
         Get(core, "save without sync/core (demo size)", "cpu_time"),
         Get(core, "save without sync/raw (demo size)", "cpu_time"), "s", 2.0},
        // The file work must not grow with the file: a 4 GiB sparse file against the demo's.
        {"Open's file work, 4 GiB file / demo-size file",
         Get(core, "open/core (4 GiB)", "cpu_time"), Get(core, "open/core (demo size)", "cpu_time"),
         "s", 1.1},
        {"Save's file work without sync, 4 GiB file / demo-size file",
         Get(core, "save without sync/core (4 GiB)", "cpu_time"),
         Get(core, "save without sync/core (demo size)", "cpu_time"), "s", 1.1},
        {"idle CPU over 5 s: frmMain / empty window (own processes, side by side)",
         idleOf("Main", "idle_cpu_ms") * 1e-3, idleOf("Empty", "idle_cpu_ms") * 1e-3, "s", 1.1},
    };

    if (wineOf("Main", "real_time") >= 0 && wineOf("Bare", "real_time") >= 0) {
        rows.push_back(
            {"corvane.exe under Wine, start-up to first paint, first window of a "
             "process: frmMain / bare Win32 window",
             wineOf("Main", "cold_us") * 1e-6, wineOf("Bare", "cold_us") * 1e-6, "s", 1.15});
        rows.push_back(
            {"corvane.exe under Wine, start-up to first paint, later windows: frmMain "
             "/ bare Win32 window",
             wineOf("Main", "real_time"), wineOf("Bare", "real_time"), "s", 1.15});
    }

    out << "\n| Measurement | Corvane | Floor | Ratio | Aim | |\n|---|---:|---:|---:|---:|---|\n";
    int passed = 0;
    int missed = 0;
    for (const Row& r : rows) {
        // Nothing against nothing (an idle window that never wakes) is a tie.
        const double ratio = r.floor > 0 ? r.ours / r.floor : r.ours > 0 ? HUGE_VAL : 1.0;
        const bool pass = ratio <= r.aim;
        (pass ? passed : missed)++;
        out << "| " << r.what << " | " << Show(r.ours, r.unit) << " | " << Show(r.floor, r.unit)
            << " | " << QString::number(ratio, 'f', 2) << " | ≤ " << QString::number(r.aim, 'f', 2)
            << " | " << (pass ? "pass" : "**miss**") << " |\n";
    }
    out << "\nIdle wake-ups in 5 s: frmMain " << idleOf("Main", "wakeups") << ", empty window "
        << idleOf("Empty", "wakeups")
        << "; the control, a window with a 10 ms timer: " << idleOf("Ticking", "wakeups")
        << " wake-ups, " << Show(idleOf("Ticking", "idle_cpu_ms") * 1e-3, "s") << ".\n";
    if (wineOf("Main", "real_time") < 0) {
        out << "\ncorvane.exe under Wine: not measured (bench_wine needs the Windows build, "
               "`make windows`, Wine and xvfb-run).\n";
    }
    const QFileInfo exe(QStringLiteral(CORVANE_WINDOWS_EXE));
    out << "\ncorvane.exe (" << exe.filePath() << "): "
        << (exe.exists() ? QString::number(exe.size()) + " bytes" : QStringLiteral("not built"))
        << ".\n";
    out << "\nMachine: " << Machine() << "; load average " << loadBefore << " before, " << Load()
        << " after. Medians of "
        << (quick ? "1-2"
                  : "9 processes each (first window), 5 each (later windows: 0.2 s of "
                    "repeated start-ups a process), 9 repetitions in one process (button, file "
                    "work), 5 rounds of processes run side by side (idle)")
        << ".\n"
        << passed << " passed, " << missed << " missed\n";
    return 0;
}
