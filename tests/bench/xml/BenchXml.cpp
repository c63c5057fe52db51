// Reading backup files: the program's reader against pugixml on the same files,
// in the same run, repetitions interleaved at random (scripts/bench-xml.sh).
// Two files of the backup file's shape are written first: 15 snapshots of 1,000
// entries, and one ten times larger (150 snapshots). Next to them, damaged
// files of five shapes, at 30 KB, 120 KB, 240 KB and 10 MB: a backup file cut
// short after an entry (refused at its end); repeated "<a>"
// that is never closed; never closed names holding "<", every one another
// ("<a<b000000><a<b000001>..."); deep nesting where names begin later names
// ("<d1>" ... "<d10>"); one element with ever more attributes. Prints Google
// Benchmark's table, then the ratios:
//   reader / pugixml on each backup file  (goal: at most 2)
//   large / small for each reader         (how each scales with ten times the
//                                          input: the large tree no longer fits
//                                          the caches, for either reader)
//   time per byte of each damaged file against the 30 KB one  (linear: about 1;
//                                          10 MB no longer fits the caches)
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "xml/XmlParser.h"

namespace {

namespace fs = std::filesystem;

struct BackupFile {
    const char* label;
    int snapshots;
    std::string path;
    size_t bytes = 0;
};

BackupFile gFiles[] = {
    {"15x1000", 15, ""},
    {"150x1000", 150, ""},
};

// A backup file as the backup store writes it: each snapshot a datum and 1,000
// entries with names and commands that need references, some commands long
// enough for the three-line form.
std::string MakeBackup(int snapshots) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    TXMLTag xml(nullptr, "xml");
    TXMLTag* list = new TXMLTag(&xml, "list");
    for (int s = 0; s < snapshots; ++s) {
        TXMLTag* object = new TXMLTag(list, "object");
        new TXMLTag(object, "datum", "0" + std::to_string(1 + s % 9) + ".02.2010 10:20:" + std::to_string(10 + s % 50));
        for (int i = 0; i < 1000; ++i) {
            TXMLTag* launcher = new TXMLTag(object, "launcher" + std::to_string(i));
            new TXMLTag(launcher, "active", i % 7 == 0 ? "false" : "true");
            new TXMLTag(launcher, "kind", std::to_string(i % 3 == 0 ? 11 : 21 + i % 5));
            new TXMLTag(launcher, "name", "Helfer \334bersicht " + std::to_string(i));
            std::string command = "\"C:\\Program Files\\Vendor " + std::to_string(i) + "\\tray_app.exe\" /background";
            if (i % 4 == 0) command += " /config=\"C:\\ProgramData\\Vendor\\settings_" + std::to_string(i) + ".ini\"";
            new TXMLTag(launcher, "command", command);
        }
    }
    return parser.SaveToText(&xml, true, true);
}

// A damaged file: the declaration line, then one of the damaged shapes on one
// line.
struct DamagedFile {
    const char* label;
    size_t bytes;
    std::string path;
};

constexpr size_t kDamagedSizes[] = {30 * 1000, 120 * 1000, 240 * 1000, 10 * 1000 * 1000};
constexpr const char* kDamagedLabels[] = {"30KB", "120KB", "240KB", "10MB"};
constexpr size_t kDamagedCount = std::size(kDamagedSizes);

const char* const kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n";

std::string MakeUnclosed(size_t bytes) {
    std::string text = kDeclaration;
    while (text.size() < bytes) text += "<a>";
    return text + "\r\n";
}

std::string MakeAngleNames(size_t bytes) {
    std::string text = kDeclaration;
    char piece[32];
    for (unsigned i = 0; text.size() < bytes; ++i) {
        std::snprintf(piece, sizeof piece, "<a<b%06u>", i);
        text += piece;
    }
    return text + "\r\n";
}

// Well-formed, but every name begins the names of ten later ones ("d1" and
// "d10"), so no element reads in one pass and each needs its own search.
std::string MakeNestedNames(size_t bytes) {
    const size_t n = bytes / 19;  // about 19 bytes a level
    std::string text = kDeclaration;
    for (size_t i = 0; i < n; ++i) text += "<d" + std::to_string(i) + ">";
    text += "x";
    for (size_t i = n; i-- > 0;) text += "</d" + std::to_string(i) + ">";
    return text + "\r\n";
}

std::string MakeManyAttributes(size_t bytes) {
    std::string text = std::string(kDeclaration) + "<a";
    for (size_t i = 0; text.size() < bytes; ++i) text += " k" + std::to_string(i) + "=v";
    return text + " />\r\n";
}

// Damaged and hostile files, each shape at every size.
struct DamagedShape {
    const char* name;  // of the benchmark
    const char* title;
    std::string (*make)(size_t bytes);
    DamagedFile files[kDamagedCount];
};

// A backup file of the writer's layout cut short after an entry's end tag,
// where a tolerant reader would read every entry before the cut.
std::string MakeCutBackup(size_t bytes) {
    std::string text = kDeclaration;
    text += "<xml>\r\n  <list>\r\n    <object>\r\n      <datum>01.02.2010 10:20:30</datum>\r\n";
    for (size_t i = 0; text.size() < bytes; ++i) {
        const std::string n = std::to_string(i);
        text += "      <launcher" + n + ">\r\n        <active>true</active>\r\n        <kind>11</kind>\r\n" +
                "        <name>Helfer &Uuml;bersicht " + n + "</name>\r\n" +
                "        <command>&quot;C:&#92;Program Files&#92;Vendor " + n +
                "&#92;tray&#95;app.exe&quot; /background</command>\r\n      </launcher" + n + ">\r\n";
    }
    return text;
}

DamagedShape gShapes[] = {
    {"CutBackup", "A backup file cut after an entry", MakeCutBackup, {}},

    {"Unclosed", "Unclosed \"<a>\" repeated", MakeUnclosed, {}},
    {"AngleNames", "Unclosed names holding \"<\", every one another", MakeAngleNames, {}},
    {"NestedNames", "Deep nesting, names beginning later names", MakeNestedNames, {}},
    {"ManyAttributes", "One element with ever more attributes", MakeManyAttributes, {}},
};

void WriteFiles() {
    const fs::path folder = fs::temp_directory_path() / "bm-bench-xml";
    fs::create_directories(folder);
    for (BackupFile& f : gFiles) {
        const std::string text = MakeBackup(f.snapshots);
        f.path = (folder / (std::string("backup-") + f.label + ".xml")).string();
        f.bytes = text.size();
        std::ofstream(f.path, std::ios::binary | std::ios::trunc) << text;
    }
    for (DamagedShape& shape : gShapes) {
        for (size_t i = 0; i < kDamagedCount; ++i) {
            DamagedFile& f = shape.files[i];
            const std::string text = shape.make(kDamagedSizes[i]);
            f.label = kDamagedLabels[i];
            f.path = (folder / (std::string(shape.name) + "-" + f.label + ".xml")).string();
            f.bytes = text.size();
            std::ofstream(f.path, std::ios::binary | std::ios::trunc) << text;
        }
    }
}

void Bootmarshal(benchmark::State& state) {
    const BackupFile& f = gFiles[state.range(0)];
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    for (auto _ : state) {
        TXMLTag root;
        if (!parser.LoadFromFile(f.path, &root)) state.SkipWithError("not read");
        benchmark::DoNotOptimize(root.Items.Count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.bytes));
    state.SetLabel(f.label);
}

void Pugixml(benchmark::State& state) {
    const BackupFile& f = gFiles[state.range(0)];
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(f.path.c_str())) state.SkipWithError("not read");
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.bytes));
    state.SetLabel(f.label);
}

void ReadDamaged(benchmark::State& state, const DamagedFile& f) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    for (auto _ : state) {
        TXMLTag root;
        try {
            parser.LoadFromFile(f.path, &root);
        } catch (const EXMLException& refused) {
            benchmark::DoNotOptimize(refused.Line());
        }
        benchmark::DoNotOptimize(root.Items.Count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.bytes));
    state.SetLabel(f.label);
}

BENCHMARK(Bootmarshal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Pugixml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Keeps the mean real time of every run for the ratios.
class Recorder : public benchmark::ConsoleReporter {
public:
    // CPU time per load: the median of the repetitions when there are
    // several, else the single run.
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations <= 0) continue;
            const double perLoad = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                seconds[run.run_name.str()] = perLoad;
            } else if (run.run_type == Run::RT_Iteration && !medians_.count(run.run_name.str())) {
                seconds[run.run_name.str()] = perLoad;
            }
            if (run.run_type == Run::RT_Aggregate) medians_.insert(run.run_name.str());
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    WriteFiles();
    for (const BackupFile& f : gFiles) std::printf("%-9s %s  %zu bytes\n", f.label, f.path.c_str(), f.bytes);
    for (DamagedShape& shape : gShapes) {
        for (size_t i = 0; i < kDamagedCount; ++i) {
            const DamagedFile& f = shape.files[i];
            std::printf("%-9s %s  %zu bytes\n", f.label, f.path.c_str(), f.bytes);
            benchmark::RegisterBenchmark((std::string(shape.name) + "/" + std::to_string(i)).c_str(),
                                         [&f](benchmark::State& state) { ReadDamaged(state, f); })
                ->Unit(benchmark::kMillisecond);
        }
    }

    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);

    auto ms = [&](const std::string& name) { return recorder.seconds[name] * 1000.0; };
    // The damaged files: time per byte against the smallest one of their shape.
    auto damaged = [&](const char* title, const std::string& name, const DamagedFile* files) {
        const double base = ms(name + "/0") / static_cast<double>(files[0].bytes);
        if (base <= 0) return;
        std::printf("\n%s, CPU time per load\n%-9s %12s %14s\n", title, "file", "reader ms", "per byte vs 30KB");
        for (size_t i = 0; i < kDamagedCount; ++i) {
            const double t = ms(name + "/" + std::to_string(i));
            if (t <= 0) continue;
            std::printf("%-9s %12.2f %14.2f  (linear: about 1)\n", files[i].label, t,
                        t / static_cast<double>(files[i].bytes) / base);
        }
    };
    for (const DamagedShape& shape : gShapes) damaged(shape.title, shape.name, shape.files);
    const double ourSmall = ms("Bootmarshal/0"), ourLarge = ms("Bootmarshal/1");
    const double pugiSmall = ms("Pugixml/0"), pugiLarge = ms("Pugixml/1");
    if (ourSmall <= 0 || pugiSmall <= 0 || ourLarge <= 0 || pugiLarge <= 0) return 0;  // filtered run
    // CPU time: the machine is shared, and waiting for a core is no part of reading.
    std::printf("\nCPU time per load\n%-9s %12s %12s %10s\n", "file", "reader ms", "pugixml ms", "ratio");
    std::printf("%-9s %12.2f %12.2f %10.2f  (goal: at most 2)\n", gFiles[0].label, ourSmall, pugiSmall,
                ourSmall / pugiSmall);
    std::printf("%-9s %12.2f %12.2f %10.2f  (goal: at most 2)\n", gFiles[1].label, ourLarge, pugiLarge,
                ourLarge / pugiLarge);
    std::printf("large/small: reader %.2f, pugixml %.2f  (input %.2f times)\n", ourLarge / ourSmall,
                pugiLarge / pugiSmall, static_cast<double>(gFiles[1].bytes) / static_cast<double>(gFiles[0].bytes));
    return 0;
}
