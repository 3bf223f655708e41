// qlx_bench: the program's text handling against the bare toolkit, in the same run so that the
// ratio holds on a busy machine. See README.md.
#include "ChildRun.h"
#include "IniBench.h"
#include "RegBench.h"
#include "RtfBench.h"
#include "TextBench.h"
#include "TextInput.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr qint64 kTextSize = 50LL * 1024 * 1024;
constexpr qint64 kBigTextSize = 100LL * 1024 * 1024;
constexpr int kRegKeys = 100000;
constexpr int kBigRegKeys = 200000;
constexpr int kRounds = 3;
constexpr int kFullRounds = 5;

// Steps timed one after the other in one process for each side, named by their operations.
struct Session {
    std::vector<const char*> operations;
    QString input;
    std::function<void(const ChildRun::Record&)> ours;
    std::function<void(const ChildRun::Record&)> bare;
};

// The median and range of the rounds' times, and the highest peak of memory.
class Summary {
public:
    void Add(const Sample& sample) {
        ok_ = ok_ && sample.ok;
        milliseconds_.push_back(sample.milliseconds);
        peakKb_ = std::max(peakKb_, sample.peakKb);
    }
    bool Ok() const { return ok_ && !milliseconds_.empty(); }
    double Median() const {
        std::vector<double> sorted = milliseconds_;
        std::sort(sorted.begin(), sorted.end());
        const size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double Min() const { return *std::min_element(milliseconds_.begin(), milliseconds_.end()); }
    double Max() const { return *std::max_element(milliseconds_.begin(), milliseconds_.end()); }
    long PeakKb() const { return peakKb_; }

private:
    std::vector<double> milliseconds_;
    long peakKb_ = 0;
    bool ok_ = true;
};

double Mb(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

void PrintHeader(int rounds) {
    std::printf("Times: median of %d rounds and their range, until the event queue is idle. Memory: the "
                "highest peak.\n",
                rounds);
    std::printf("%-10s %11s %10s %15s %10s %7s %10s %10s %8s\n", "operation", "input", "ours ms",
                "ours min-max", "bare ms", "ratio", "ours MB", "bare MB", "ours/in");
}

void Print(const char* operation, qint64 inputSize, const Summary& ours, const Summary& bare) {
    if (!ours.Ok() || !bare.Ok()) {
        std::printf("%-10s %8.1f MB  failed\n", operation, Mb(double(inputSize)));
        return;
    }
    char range[32];
    std::snprintf(range, sizeof range, "%.0f-%.0f", ours.Min(), ours.Max());
    std::printf("%-10s %8.1f MB %10.0f %15s %10.0f %7.2f %10.0f %10.0f %8.1f\n", operation,
                Mb(double(inputSize)), ours.Median(), range, bare.Median(), ours.Median() / bare.Median(),
                Mb(ours.PeakKb() * 1024.0), Mb(bare.PeakKb() * 1024.0),
                ours.PeakKb() * 1024.0 / double(inputSize));
    std::fflush(stdout);
}

// A child that failed, or recorded fewer steps, leaves its missing steps failed.
void Add(std::vector<Summary>& summaries, const std::vector<Sample>& samples) {
    for (size_t step = 0; step < summaries.size(); ++step)
        summaries[step].Add(step < samples.size() ? samples[step] : Sample());
}

void Run(int argc, char** argv, const Session& session, int rounds) {
    std::vector<Summary> ours(session.operations.size());
    std::vector<Summary> bare(session.operations.size());
    for (int round = 0; round < rounds; ++round) {
        Add(ours, ChildRun::Run(argc, argv, session.ours));
        Add(bare, ChildRun::Run(argc, argv, session.bare));
    }
    for (size_t step = 0; step < ours.size(); ++step)
        Print(session.operations[step], QFileInfo(session.input).size(), ours[step], bare[step]);
}

Session TextSession(const TextBench* text, const char* open, const char* save, const char* find) {
    return {{open, save, find},
            text->Input(),
            [text](const ChildRun::Record& record) { text->Ours(record); },
            [text](const ChildRun::Record& record) { text->Bare(record); }};
}

Session RegSession(const RegBench* reg) {
    return {{"open reg", "save reg", "find reg"},
            reg->InputPath(),
            [reg](const ChildRun::Record& record) { reg->Ours(record); },
            [reg](const ChildRun::Record& record) { reg->Bare(record); }};
}

Session IniSession(const IniBench* ini, const QString& input, const char* open, const char* save) {
    return {{open, save},
            input,
            [ini, input](const ChildRun::Record& record) { ini->Ours(input, record); },
            [ini, input](const ChildRun::Record& record) { ini->Bare(input, record); }};
}

int Fail(const char* what, const QTemporaryDir& folder) {
    std::fprintf(stderr, "qlx_bench: cannot write the %s in %s\n", what, qPrintable(folder.path()));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool full = argc > 1 && std::strcmp(argv[argc - 1], "--full") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    // The offscreen platform wants a runtime folder of the user's own and warns without one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
    const QString realistic = folder.filePath("realistic.txt");
    const QString longLines = folder.filePath("long.txt");
    const QString big = folder.filePath("big.txt");
    if (!folder.isValid() || TextInput::Write(realistic, kTextSize, TextInput::Lines::Realistic) < 0 ||
        (full && (TextInput::Write(longLines, kTextSize, TextInput::Lines::Long) < 0 ||
                  TextInput::Write(big, kBigTextSize, TextInput::Lines::Realistic) < 0)))
        return Fail("text inputs", folder);
    const TextBench text(realistic, folder.path());
    const TextBench longText(longLines, folder.path());
    const TextBench bigText(big, folder.path());
    const IniBench ini(folder.path());
    if (!ini.Ready())
        return Fail("INI inputs", folder);
    const RegBench reg(folder.path(), kRegKeys);
    if (!reg.Ready())
        return Fail("registry input", folder);
    const std::optional<RegBench> bigReg =
        full ? std::optional<RegBench>(std::in_place, folder.path(), kBigRegKeys) : std::nullopt;
    if (bigReg && !bigReg->Ready())
        return Fail("large registry input", folder);
    const RtfBench rtf(folder.path());
    if (!rtf.Ready())
        return Fail("rich-text inputs", folder);

    std::vector<Session> sessions = {
        TextSession(&text, "open text", "save text", "find next"),
        RegSession(&reg),
        {{"open rtf", "save rtf"},
         rtf.RtfPath(),
         [&rtf](const ChildRun::Record& record) { rtf.Ours(record); },
         [&rtf](const ChildRun::Record& record) { rtf.Bare(record); }},
        IniSession(&ini, ini.ManyPath(), "open ini", "save ini"),
    };
    if (full) {
        sessions.push_back(TextSession(&longText, "open long", "save long", "find long"));
        sessions.push_back(TextSession(&bigText, "open text", "save text", "find next"));
        sessions.push_back(RegSession(&*bigReg));
        sessions.push_back(IniSession(&ini, ini.WidePath(), "open wide", "save wide"));
    }
    const int rounds = full ? kFullRounds : kRounds;
    PrintHeader(rounds);
    for (const Session& session : sessions)
        Run(argc, argv, session, rounds);
    std::printf("The registry window asks whether to go on with a large file (over 500 lines): the bench "
                "answers Yes itself.\n");
    return 0;
}
