// qlx_regprobe SCRIPT OUTPUT: runs a script of registry calls through the registry access class
// and writes one line per call: its line number, the call as written, and the result. The same
// script gives the same output on Windows and over the emulated registry, unless the two differ.
#include "ProbeRunner.h"
#include "ProbeText.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

namespace {

bool IsCall(const std::string& line) {
    return !line.empty() && line.front() != '#';
}

// Runs every call of script into output; false when a line could not be run.
bool RunScript(std::istream& script, std::ostream& output) {
    qlx::probe::ProbeRunner runner;
    bool allRun = true;
    int number = 0;
    for (std::string line; std::getline(script, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsCall(line))
            continue;
        output << number << ' ' << qlx::probe::Escaped(line) << " -> ";
        try {
            output << runner.Run(line) << '\n';
        } catch (const std::invalid_argument& error) {
            output << "bad line\n";
            std::cerr << "line " << number << ": " << error.what() << '\n';
            allRun = false;
        }
    }
    return allRun;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qlx_regprobe SCRIPT OUTPUT\n";
        return 2;
    }
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
        std::cerr << "cannot read " << argv[1] << '\n';
        return 2;
    }
    // Binary, so that Windows writes the same line ends.
    std::ofstream output(argv[2], std::ios::binary);
    const bool allRun = RunScript(script, output);
    output.close();
    if (!output) {
        std::cerr << "cannot write " << argv[2] << '\n';
        return 2;
    }
    return allRun ? 0 : 1;
}
