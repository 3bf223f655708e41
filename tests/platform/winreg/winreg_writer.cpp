// Writes distinct values into one key through the registry access class, as another process of
// the same user would. Usage: winreg_writer <key path> <name prefix> <count>
#include "RegistryFunctions.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: winreg_writer <key path> <name prefix> <count>\n";
        return 2;
    }
    const std::string key = argv[1];
    const std::string prefix = argv[2];
    const int count = std::atoi(argv[3]);
    RegistryFunctions registry;
    int failed = 0;
    for (int i = 0; i < count; ++i)
        failed += !registry.WriteValue(key, prefix + std::to_string(i), std::to_string(i), "REG_SZ");
    if (failed > 0)
        std::cerr << failed << " writes failed\n";
    return failed == 0 ? 0 : 1;
}
