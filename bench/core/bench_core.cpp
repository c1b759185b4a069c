// The demo-file operations beside the bare system calls that do the same work, on a file of
// the demo executable's size and on a 4 GiB sparse file: the core should cost little more
// than the calls themselves, whatever the file's size.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/DemoFile.h"
#include "core/FileOps.h"
#include "core/PatchMap.h"

namespace {

constexpr std::uint64_t kTeams = 0x11A6814;
constexpr std::uint64_t kExhibition = 0x11A756C;
constexpr std::uint64_t kFont = 0x11A7538;

// Everything as the system does it, but the sync.
class NoSyncOps : public corvane::ForwardingFileOps {
public:
    bool sync(Handle) override { return true; }
};

struct BenchFile {
    std::string label;
    std::filesystem::path path;
};

// Sparse files in a folder of their own, removed at the end.
class BenchFiles {
public:
    BenchFiles() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_dir = pattern;
        Make("demo size", corvane::kMinimumFileSize);
        Make("4 GiB", std::uint64_t{4} << 30);
    }
    ~BenchFiles() { std::filesystem::remove_all(m_dir); }

    const std::vector<BenchFile>& files() const { return m_files; }

private:
    void Make(const std::string& label, std::uint64_t size) {
        const std::filesystem::path path = m_dir / ("pes2012-" + std::to_string(size) + ".exe");
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::close(fd) != 0) {
            std::perror("creating a benchmark file");
            std::exit(1);
        }
        m_files.push_back({label, path});
    }

    std::filesystem::path m_dir;
    std::vector<BenchFile> m_files;
};

void Check(bool ok, benchmark::State& state) {
    if (!ok) {
        state.SkipWithError("a system call failed");
    }
}

// One opening with one read, as the open command made three of before it read everything in
// one opening (and as ReadTeamSlots and ReadColourSlot still make).
bool RawRead(const char* path, std::uint64_t offset, std::size_t n) {
    unsigned char buffer[8];
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool read = ::pread(fd, buffer, n, static_cast<off_t>(offset)) == static_cast<ssize_t>(n);
    benchmark::DoNotOptimize(buffer);
    return (::close(fd) == 0) && read;
}

void OpenRaw(benchmark::State& state, const BenchFile& file) {
    const char* path = file.path.c_str();
    for (auto _ : state) {
        Check(RawRead(path, kTeams, 8) && RawRead(path, kExhibition, 4) && RawRead(path, kFont, 4),
              state);
    }
}

void OpenCore(benchmark::State& state, const BenchFile& file) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ReadPatch(file.path));
    }
}

// The exclusive locks a save takes, of both kinds other programs use, without waiting.
bool RawLock(int fd) {
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd, F_OFD_SETLK, &range) == 0;
}

// The open no save can do without once a device must never be opened: the name looked up
// with O_PATH, which opens nothing, the type checked there, and the file opened through it.
int RawOpenRegular(const char* path, int flags) {
    const int lookup = ::open(path, O_PATH | O_CLOEXEC);
    if (lookup < 0) {
        return -1;
    }
    struct stat st {};
    int fd = -1;
    if (::fstat(lookup, &st) == 0 && S_ISREG(st.st_mode)) {
        char through[32];
        std::snprintf(through, sizeof through, "/proc/self/fd/%d", lookup);
        fd = ::open(through, flags | O_CLOEXEC);
    }
    ::close(lookup);
    return fd;
}

// A save as bare calls: the race-free open, the two locks that keep other programs' saves
// out, three writes, and a look at the path at the end (a file renamed over it meanwhile would
// have taken the values with it), then close. Corvane's own checks (the size before and after,
// the same file, the bytes to put back) are what the ratio shows.
void SaveRaw(benchmark::State& state, const BenchFile& file, bool sync) {
    const unsigned char teams[8] = {0x64, 0, 0x79, 0, 0x47, 0x01, 0xC0, 0};
    const unsigned char exhibition[4] = {0xFF, 0x80, 0x00, 0xC8};
    const unsigned char font[4] = {0x12, 0x34, 0x56, 0xFF};
    for (auto _ : state) {
        const int fd = RawOpenRegular(file.path.c_str(), O_RDWR);
        struct stat named {};
        bool ok = fd >= 0 && RawLock(fd) && ::pwrite(fd, teams, 8, kTeams) == 8 &&
                  ::pwrite(fd, exhibition, 4, kExhibition) == 4 &&
                  ::pwrite(fd, font, 4, kFont) == 4 && (!sync || ::fsync(fd) == 0) &&
                  ::stat(file.path.c_str(), &named) == 0;
        ok = (fd >= 0 && ::close(fd) == 0) && ok;
        Check(ok, state);
    }
}

void SaveCore(benchmark::State& state, const BenchFile& file, bool sync) {
    corvane::PatchValues values;
    values.teams = {100, 121, 327, 192};
    values.exhibition = {255, 128, 0, 200};
    values.font = {18, 52, 86, 255};
    NoSyncOps noSync;
    corvane::FileOps& ops = sync ? corvane::SystemFileOps() : noSync;
    for (auto _ : state) {
        corvane::WritePatch(file.path, values, ops);
    }
}

// The console output, then the core's time over the bare calls' time for each pair of rows
// (medians when --benchmark_repetitions is given).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void AddPair(const std::string& label, const std::string& raw, const std::string& core) {
        m_pairs.push_back({label, {raw, core}});
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) {
                continue;
            }
            Times& t = m_times[run.run_name.function_name];
            if (median || !t.median) {
                t = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime(), median};
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-34s %14s %14s\n", "core / raw", "CPU time", "real time");
        for (const auto& [label, names] : m_pairs) {
            const auto raw = m_times.find(names.first);
            const auto core = m_times.find(names.second);
            if (raw != m_times.end() && core != m_times.end()) {
                std::printf("%-34s %13.2fx %13.2fx\n", label.c_str(),
                            core->second.cpu / raw->second.cpu,
                            core->second.real / raw->second.real);
            }
        }
    }

private:
    struct Times {
        double cpu = 0;
        double real = 0;
        bool median = false;
    };
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> m_pairs;
    std::map<std::string, Times> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const BenchFiles files;
    RatioReporter reporter;
    for (const BenchFile& f : files.files()) {
        const std::string size = " (" + f.label + ")";
        auto add = [&](const std::string& kind, auto raw, auto core, int iterations) {
            const std::string rawName = kind + "/raw" + size;
            const std::string coreName = kind + "/core" + size;
            auto* r = benchmark::RegisterBenchmark(rawName.c_str(), raw, f);
            auto* c = benchmark::RegisterBenchmark(coreName.c_str(), core, f);
            if (iterations > 0) {
                r->Iterations(iterations);
                c->Iterations(iterations);
            }
            reporter.AddPair(kind + size, rawName, coreName);
        };
        add("open", OpenRaw, OpenCore, 0);
        add(
            "save without sync",
            [](benchmark::State& s, const BenchFile& b) { SaveRaw(s, b, false); },
            [](benchmark::State& s, const BenchFile& b) { SaveCore(s, b, false); }, 0);
        // A sync waits for the disk: a few hundred are enough.
        add(
            "save with sync", [](benchmark::State& s, const BenchFile& b) { SaveRaw(s, b, true); },
            [](benchmark::State& s, const BenchFile& b) { SaveCore(s, b, true); }, 200);
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
