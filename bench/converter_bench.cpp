// Measures the converter on synthetic saves: engine time per file against zlib alone doing the
// same compression work, raw-to-raw throughput, peak memory per file (each in a fresh child
// process), and a folder of mixed saves converted by the real executable.
//
//   converter-bench --work <dir> --converter <savefile-converter> --samples <make-sample-saves>
//
// The same binary re-executes itself for the child-process steps (flags starting with "--child-").

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver/Q7Svg.h"
#include "engine/FileAccess.h"
#include "savegen/FileBytes.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "savegen/TextRichContent.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// --- Small helpers ---------------------------------------------------------------------------

double secondsOf(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kMB = 1e6;

// Loads and converts one file through the facade, exactly as the console run does.
void convertOnce(const std::string& source, const std::string& output) {
    Q7Svg converter;
    converter.load(source.c_str());
    if (converter.hasError()) throw std::runtime_error("load failed: " + source);
    converter.convertAndSave(output.c_str());
    if (converter.hasError()) throw std::runtime_error("conversion failed: " + source);
}

// --- zlib alone: the compression work of one gzip conversion ---------------------------------

std::vector<unsigned char> inflateMember(const std::vector<unsigned char>& member, std::size_t contentSize) {
    z_stream stream{};
    if (inflateInit2(&stream, 31) != Z_OK) throw std::runtime_error("inflateInit2 failed");
    std::vector<unsigned char> content(contentSize);
    stream.next_in = const_cast<Bytef*>(member.data());
    stream.avail_in = static_cast<uInt>(member.size());
    stream.next_out = content.data();
    stream.avail_out = static_cast<uInt>(content.size());
    int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("inflate did not finish");
    return content;
}

// --- Child processes ---------------------------------------------------------------------------

struct ChildResult {
    int status = -1;
    double seconds = 0;
    long maxRssKiB = 0;
    long pageFaults = 0;
};

// Runs argv as a child (stdin and stdout optionally redirected, in `directory` if given) and
// waits for it with wait4 to get its peak resident set.
ChildResult runChild(const std::vector<std::string>& argv, const std::string& directory = "",
                     const std::string& stdinPath = "", const std::string& stdoutPath = "/dev/null") {
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    auto start = Clock::now();
    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (!directory.empty() && ::chdir(directory.c_str()) != 0) ::_exit(126);
        if (!stdinPath.empty()) {
            int in = ::open(stdinPath.c_str(), O_RDONLY);
            if (in < 0 || ::dup2(in, STDIN_FILENO) < 0) ::_exit(126);
        }
        int out = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0) ::_exit(126);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ChildResult result;
    rusage usage{};
    if (::wait4(pid, &result.status, 0, &usage) != pid) throw std::runtime_error("wait4 failed");
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.maxRssKiB = usage.ru_maxrss;
    result.pageFaults = usage.ru_minflt + usage.ru_majflt;
    return result;
}

bool exitedCleanly(const ChildResult& r) { return WIFEXITED(r.status) && WEXITSTATUS(r.status) == 0; }

std::string selfPath() { return fs::read_symlink("/proc/self/exe").string(); }

// --- The sample files ----------------------------------------------------------------------------

struct Sample {
    std::string label;  // size name
    SaveSize size;
    bool gzip;
    std::string path;
    std::size_t stateBytes = 0;
};

// The family of the samples: the oldest Brevin release, an older release whatever the current one.
constexpr SaveFamily sampleFamily = SaveFamily::Brevin44Sub2;

// "version/subversion -> version/subversion": the samples' version and the converter's target for them.
std::string conversionLabel() {
    const SvgVersion source = versionOf(sampleFamily);
    const SvgVersion target = Q7Svg::targetFor(source);
    return std::to_string(source.svg_version) + "/" + std::to_string(source.svg_subversion) + " -> " +
           std::to_string(target.svg_version) + "/" + std::to_string(target.svg_subversion);
}

// One older-release save (the usual conversion) per size and container form, and an
// extra-large one with the texts of a real game state.
std::vector<Sample> samplePlan(const fs::path& dir) {
    std::vector<Sample> samples;
    const std::pair<const char*, SaveSize> sizes[] = {{"small", SaveSize::small()},
                                                      {"medium", SaveSize::medium()},
                                                      {"extra-large", SaveSize::extraLarge()},
                                                      {"xl text-rich", withRichTexts(SaveSize::extraLarge())}};
    for (bool gzip : {false, true})
        for (const auto& [label, size] : sizes) {
            std::string name = std::string(label) + (gzip ? "-gzip" : "-raw") + ".GM1";
            std::replace(name.begin(), name.end(), ' ', '-');
            samples.push_back({label, size, gzip, (dir / name).string()});
        }
    return samples;
}

// Written by a child process, so that the measuring process stays small until the memory
// children have run (a child's peak resident set includes what it inherited).
void generateSamples(const fs::path& dir) {
    fs::create_directories(dir);
    std::uint64_t seed = 11;
    for (const Sample& sample : samplePlan(dir)) {
        Rng rng(seed++);
        Bytes body = encodeGameState(randomGameState(sampleFamily, rng, sample.size), versionOf(sampleFamily));
        writeFileBytes(sample.path, sample.gzip ? gzipMember(body.data) : body.data);
    }
}

std::size_t stateSizeOf(const Sample& sample) {
    std::vector<unsigned char> file = readFileBytes(sample.path);
    return sample.gzip ? gunzipMember(file).size() : file.size();
}

std::string outputPathOf(const std::string& source) {
    return source.substr(0, source.size() - 4) + "(converted)" + source.substr(source.size() - 4);
}

// --- Measurements --------------------------------------------------------------------------------

struct Timing {
    double engine = 0;       // load + convert + durable write, as the converter does it
    double durableWrite = 0; // the temporary file, fsync and rename alone, same output bytes
    double zlibAlone = 0;    // inflate of the source + deflate of the converted body
    std::size_t zlibFileBytes = 0;  // zlib's member of the converted body
};

Timing timeSample(const Sample& sample, int repetitions) {
    const std::string output = outputPathOf(sample.path);
    convertOnce(sample.path, output);  // warm-up; also gives the output to compare against
    const std::vector<unsigned char> source = readFileBytes(sample.path);
    const std::vector<unsigned char> converted = readFileBytes(output);
    const std::vector<unsigned char> convertedBody = sample.gzip ? gunzipMember(converted) : converted;
    const std::string writeProbe = output + ".probe";

    std::vector<double> engine, write, zlib;
    for (int i = 0; i < repetitions; ++i) {
        engine.push_back(secondsOf([&] { convertOnce(sample.path, output); }));
        write.push_back(secondsOf([&] { writeFileReplacing(writeProbe, converted); }));
        if (sample.gzip)
            zlib.push_back(secondsOf([&] {
                std::vector<unsigned char> body = inflateMember(source, sample.stateBytes);
                std::vector<unsigned char> member = gzipMember(convertedBody);  // the converter's deflate parameters
                if (body.size() != sample.stateBytes || member.empty()) throw std::runtime_error("zlib mismatch");
            }));
    }
    fs::remove(writeProbe);
    if (!sample.gzip) return {median(engine), median(write), 0, 0};
    return {median(engine), median(write), median(zlib), gzipMember(convertedBody).size()};
}

int repetitionsFor(const Sample& sample) { return sample.stateBytes > 1000000 ? 15 : 40; }

struct FolderResult {
    std::size_t converted = 0;
    double total = 0;
    double sumOfSingles = 0;     // engine, in this process
    double sumOfSingleRuns = 0;  // the executable on a folder holding just that file
    long maxRssKiB = 0;
    long pageFaults = 0;
};

// The executable run on a folder holding only `source`, as its own save folder.
double timeSingleRun(const fs::path& source, const fs::path& scratch, const std::string& converter,
                     const std::string& answers) {
    fs::remove_all(scratch);
    fs::create_directories(scratch / "work");
    fs::create_directories(scratch / "games");
    fs::copy_file(source, scratch / "games" / source.filename());
    ChildResult run = runChild({converter}, (scratch / "work").string(), answers);
    if (!exitedCleanly(run)) throw std::runtime_error("the converter run failed on " + source.string());
    return run.seconds;
}

// The real executable on a folder of mixed saves, answering yes to both questions, against the
// sum of the single-file conversions of the same files: by the engine in this process, and by
// the executable on a folder of one file.
// With textRich the saves carry the texts of real game states and only the folder run is timed.
FolderResult benchFolder(const fs::path& root, const std::string& converter, const std::string& sampleTool,
                         std::size_t count, bool textRich) {
    fs::remove_all(root);
    fs::create_directories(root / "work");
    std::vector<std::string> make = {sampleTool, (root / "games").string(), "--seed", "5", "--count", std::to_string(count)};
    if (textRich) make.push_back("--text-rich");
    ChildResult made = runChild(make);
    if (!exitedCleanly(made)) throw std::runtime_error("make-sample-saves failed");
    writeFileBytes((root / "answers").string(), {'y', '\n', 'y'});

    // The samples just written are flushed first, so that the run's first fsync does not pay
    // for them.
    ::sync();
    FolderResult result;
    const std::string log = (root / "run.log").string();
    ChildResult run = runChild({converter}, (root / "work").string(), (root / "answers").string(), log);
    if (!exitedCleanly(run)) throw std::runtime_error("the converter run failed");
    result.total = run.seconds;
    result.maxRssKiB = run.maxRssKiB;
    result.pageFaults = run.pageFaults;

    std::ifstream lines(log);
    std::string line;
    std::vector<std::string> sources;
    const std::string success = "sucessfully converted to :";
    while (std::getline(lines, line)) {
        std::size_t mark = line.find(success);
        if (mark != std::string::npos) sources.push_back(line.substr(0, line.rfind(": ", mark)));
    }
    result.converted = sources.size();
    if (textRich) return result;
    // The paths in the log are relative to the work folder. The in-process conversions come
    // first: a fork in between would make this process fault on every page it writes next.
    for (const auto& source : sources) {
        fs::path path = root / "work" / source;
        result.sumOfSingles += secondsOf([&] { convertOnce(path.string(), outputPathOf(path.string())); });
    }
    for (const auto& source : sources)
        result.sumOfSingleRuns += timeSingleRun(root / "work" / source, root / "one", converter, (root / "answers").string());
    fs::remove_all(root / "one");
    return result;
}

// --- Report ---------------------------------------------------------------------------------------

void printMachine() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line, model = "?";
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    std::ifstream meminfo("/proc/meminfo");
    std::string memory = "?";
    while (std::getline(meminfo, line))
        if (line.rfind("MemTotal", 0) == 0) {
            std::size_t kib = std::stoull(line.substr(line.find(':') + 1));
            memory = std::to_string(kib / 1024 / 1024) + " GiB";
            break;
        }
    std::printf("Machine: %ld cores (nproc), %s, %s RAM\n", ::sysconf(_SC_NPROCESSORS_ONLN), model.c_str(), memory.c_str());
}

// Other work on the machine skews the times; the load average says how much there was.
void printLoad(const char* when) {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    std::printf("Load average %s: %s %s %s\n\n", when, one.c_str(), five.c_str(), fifteen.c_str());
}

int runBench(const fs::path& work, const std::string& converter, const std::string& sampleTool) {
    printMachine();
    printLoad("at the start");
    const fs::path singles = work / "single";
    fs::remove_all(singles);
    if (!exitedCleanly(runChild({selfPath(), "--child-generate", singles.string()})))
        throw std::runtime_error("generating the samples failed");
    std::vector<Sample> samples = samplePlan(singles);

    // Peak memory first, while this process is still small.
    const std::string self = selfPath();
    std::vector<long> peakKiB;
    for (Sample& sample : samples) {
        ChildResult baseline = runChild({self, "--child-idle"});
        ChildResult converting = runChild({self, "--child-convert", sample.path, outputPathOf(sample.path)});
        if (!exitedCleanly(baseline) || !exitedCleanly(converting)) throw std::runtime_error("memory child failed");
        peakKiB.push_back(converting.maxRssKiB - baseline.maxRssKiB);
    }
    for (Sample& sample : samples) sample.stateBytes = stateSizeOf(sample);

    std::printf("Per file (older-release save, %s; median of the repetitions; MB = 10^6 bytes):\n",
                conversionLabel().c_str());
    std::printf("%-5s %-12s %9s %8s %7s %9s %9s %9s %7s %7s %9s %8s %9s %9s\n", "form", "size", "state MB", "file MB",
                "file /", "engine", "write", "zlib", "ratio", "ratio", "engine", "engine", "peak RSS", "limit");
    std::printf("%-5s %-12s %9s %8s %7s %9s %9s %9s %7s %7s %9s %8s %9s %9s\n", "", "", "", "", "zlib's", "ms",
                "+fsync ms", "alone ms", "all", "-write", "MB/s", "-wr MB/s", "MiB", "MiB");
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        Timing t = timeSample(s, repetitionsFor(s));
        double stateMB = static_cast<double>(s.stateBytes) / kMB;
        double fileMB = static_cast<double>(fs::file_size(s.path)) / kMB;
        double withoutWrite = t.engine - t.durableWrite;
        double peakMiB = static_cast<double>(peakKiB[i]) / 1024.0;
        double limitMiB = 2.0 * static_cast<double>(s.stateBytes) / kMiB + 32.0;
        char zlibMs[16] = "-", ratioAll[16] = "-", ratioNoWrite[16] = "-", sizeRatio[16] = "-";
        if (s.gzip) {
            std::snprintf(sizeRatio, sizeof sizeRatio, "%.3f",
                          static_cast<double>(fs::file_size(outputPathOf(s.path))) / static_cast<double>(t.zlibFileBytes));
            std::snprintf(zlibMs, sizeof zlibMs, "%.2f", t.zlibAlone * 1e3);
            std::snprintf(ratioAll, sizeof ratioAll, "%.2f", t.engine / t.zlibAlone);
            std::snprintf(ratioNoWrite, sizeof ratioNoWrite, "%.2f", withoutWrite / t.zlibAlone);
        }
        std::printf("%-5s %-12s %9.2f %8.2f %7s %9.2f %9.2f %9s %7s %7s %9.0f %8.0f %9.1f %9.1f\n", s.gzip ? "gzip" : "raw",
                    s.label.c_str(), stateMB, fileMB, sizeRatio, t.engine * 1e3, t.durableWrite * 1e3,
                    zlibMs,
                    ratioAll, ratioNoWrite, stateMB / t.engine, stateMB / withoutWrite, peakMiB, limitMiB);
        std::fflush(stdout);
    }
    std::printf("\nengine: load + convert + atomic write (temporary file, fsync, rename); write+fsync: that\n"
                "durable write alone for the same output; zlib alone: inflate of the source + deflate of the\n"
                "converted body (level default, window bits 31, memLevel 8, default strategy); ratio -write:\n"
                "engine minus the durable write, over zlib alone; file / zlib's: the converted file's size over\n"
                "zlib's member of the same body. Peak RSS: child process converting the file, minus an idle\n"
                "child; limit: 2 x game state + 32 MiB. xl text-rich: an extra-large save whose texts take\n"
                "13 %% of the game state, as in real saves.\n\n");

    FolderResult folder = benchFolder(work / "folder", converter, sampleTool, 200, false);
    std::printf("Folder of 200 mixed saves (make-sample-saves --seed 5 --count 200), real executable,\n"
                "answers \"y\" then \"y\": %zu converted, total %.2f s (peak RSS %.1f MiB, %ld page faults).\n"
                "Sum of single-file conversions: engine in this process %.2f s (total / sum = %.2f);\n"
                "executable on a folder of one file %.2f s (total / sum = %.2f)\n",
                folder.converted, folder.total, static_cast<double>(folder.maxRssKiB) / 1024.0, folder.pageFaults,
                folder.sumOfSingles, folder.total / folder.sumOfSingles, folder.sumOfSingleRuns,
                folder.total / folder.sumOfSingleRuns);
    FolderResult rich = benchFolder(work / "folder-text-rich", converter, sampleTool, 200, true);
    std::printf("The same folder with --text-rich: %zu converted, total %.2f s (peak RSS %.1f MiB, %ld page faults).\n",
                rich.converted, rich.total, static_cast<double>(rich.maxRssKiB) / 1024.0, rich.pageFaults);
    printLoad("at the end");
    return 0;
}

std::optional<std::string> optionValue(int argc, char** argv, const std::string& name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == name) return std::string(argv[i + 1]);
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    // The converter's own process settings (driver/main.cpp): freed memory stays in the process
    // for the next file, so the in-process conversions run as the converter runs them.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    try {
        std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "--child-idle") return 0;
        if (mode == "--child-convert" && argc == 4) {
            convertOnce(argv[2], argv[3]);
            return 0;
        }
        if (mode == "--time-file" && argc == 4) {
            // One file converted again and again in this process: the median engine time, for
            // comparing two builds on the same save.
            std::vector<double> times;
            for (int i = 0; i < std::stoi(argv[3]); ++i)
                times.push_back(secondsOf([&] { convertOnce(argv[2], outputPathOf(argv[2])); }));
            std::printf("%s: median %.3f ms, fastest %.3f ms of %zu conversions\n", argv[2], median(times) * 1e3,
                        *std::min_element(times.begin(), times.end()) * 1e3, times.size());
            return 0;
        }
        if (mode == "--child-generate" && argc == 3) {
            generateSamples(argv[2]);
            return 0;
        }
        auto work = optionValue(argc, argv, "--work");
        auto converter = optionValue(argc, argv, "--converter");
        auto sampleTool = optionValue(argc, argv, "--samples");
        if (!work || !converter || !sampleTool) {
            std::cerr << "usage: converter-bench --work <dir> --converter <savefile-converter> --samples <make-sample-saves>\n";
            return 2;
        }
        return runBench(fs::absolute(*work), fs::absolute(*converter).string(), fs::absolute(*sampleTool).string());
    } catch (const std::exception& error) {
        std::cerr << "converter-bench: " << error.what() << "\n";
        return 1;
    }
}
