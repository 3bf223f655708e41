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
#include <functional>
#include <vector>

namespace {

constexpr qint64 kInputSize = 50LL * 1024 * 1024;
constexpr int kRounds = 5;

struct Measurement {
    const char* operation;
    qint64 inputSize;
    std::function<double()> ours;
    std::function<double()> bare;
};

// Best of the rounds for time, which noise only ever adds to; the highest peak for memory.
struct Summary {
    double milliseconds = 0;
    long peakKb = 0;
    bool ok = true;

    void Add(const Sample& sample, bool first) {
        ok = ok && sample.ok;
        milliseconds = first ? sample.milliseconds : std::min(milliseconds, sample.milliseconds);
        peakKb = std::max(peakKb, sample.peakKb);
    }
};

double Mb(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

void Print(const char* operation, qint64 inputSize, const Summary& ours, const Summary& bare) {
    if (!ours.ok || !bare.ok) {
        std::printf("%-10s %8.1f MB  failed\n", operation, Mb(double(inputSize)));
        return;
    }
    std::printf("%-10s %8.1f MB %10.0f %10.0f %7.2f %10.0f %10.0f %8.1f\n", operation, Mb(double(inputSize)),
                ours.milliseconds, bare.milliseconds, ours.milliseconds / bare.milliseconds,
                Mb(ours.peakKb * 1024.0), Mb(bare.peakKb * 1024.0), ours.peakKb * 1024.0 / double(inputSize));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    // The offscreen platform wants a runtime folder of the user's own and warns without one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
    const QString input = folder.filePath("input.txt");
    const qint64 size = TextInput::Write(input, kInputSize);
    if (!folder.isValid() || size < 0) {
        std::fprintf(stderr, "qlx_bench: cannot write the input in %s\n", qPrintable(folder.path()));
        return 1;
    }
    const TextBench bench(input, folder.path());
    const IniBench ini(folder.path());
    if (!ini.Ready()) {
        std::fprintf(stderr, "qlx_bench: cannot write the INI inputs in %s\n", qPrintable(folder.path()));
        return 1;
    }
    const RegBench reg(folder.path());
    if (!reg.Ready()) {
        std::fprintf(stderr, "qlx_bench: cannot write the registry input in %s\n", qPrintable(folder.path()));
        return 1;
    }
    const RtfBench rtf(folder.path());
    if (!rtf.Ready()) {
        std::fprintf(stderr, "qlx_bench: cannot write the rich-text inputs in %s\n", qPrintable(folder.path()));
        return 1;
    }
    const qint64 many = QFileInfo(ini.ManyPath()).size();
    const qint64 regSize = QFileInfo(reg.InputPath()).size();
    const qint64 wide = QFileInfo(ini.WidePath()).size();
    const qint64 rtfSize = QFileInfo(rtf.RtfPath()).size();
    const std::vector<Measurement> measurements = {
        {"open text", size, [&] { return bench.OpenOurs(); }, [&] { return bench.OpenBare(); }},
        {"save text", size, [&] { return bench.SaveOurs(); }, [&] { return bench.SaveBare(); }},
        {"find next", size, [&] { return bench.FindOurs(); }, [&] { return bench.FindBare(); }},
        {"open ini", many, [&] { return ini.OpenManyOurs(); }, [&] { return ini.OpenManyBare(); }},
        {"save ini", many, [&] { return ini.SaveManyOurs(); }, [&] { return ini.SaveManyBare(); }},
        {"open wide", wide, [&] { return ini.OpenWideOurs(); }, [&] { return ini.OpenWideBare(); }},
        {"save wide", wide, [&] { return ini.SaveWideOurs(); }, [&] { return ini.SaveWideBare(); }},
        {"open reg", regSize, [&] { return reg.OpenOurs(); }, [&] { return reg.OpenBare(); }},
        {"save reg", regSize, [&] { return reg.SaveOurs(); }, [&] { return reg.SaveBare(); }},
        {"find reg", regSize, [&] { return reg.FindOurs(); }, [&] { return reg.FindBare(); }},
        {"open rtf", rtfSize, [&] { return rtf.OpenOurs(); }, [&] { return rtf.OpenBare(); }},
        {"save rtf", rtfSize, [&] { return rtf.SaveOurs(); }, [&] { return rtf.SaveBare(); }},
    };
    std::printf("%-10s %11s %10s %10s %7s %10s %10s %8s\n", "operation", "input", "ours ms", "bare ms",
                "ratio", "ours MB", "bare MB", "ours/in");
    for (const Measurement& m : measurements) {
        Summary ours;
        Summary bare;
        for (int round = 0; round < kRounds; ++round) {
            ours.Add(ChildRun::Run(argc, argv, m.ours), round == 0);
            bare.Add(ChildRun::Run(argc, argv, m.bare), round == 0);
        }
        Print(m.operation, m.inputSize, ours, bare);
    }
    return 0;
}
