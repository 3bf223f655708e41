#include "ProbeRunner.h"

#include "ProbeText.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

namespace qlx::probe {
namespace {

using Arguments = std::vector<std::string>;

struct Operation {
    const char* name;
    std::size_t arguments;
    std::function<std::string(RegistryFunctions&, const Arguments&)> run;
};

std::string Bool(bool value) {
    return value ? "True" : "False";
}

std::int16_t Index(const std::string& text) {
    std::int16_t index = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("bad index " + text);
    return index;
}

// Deletes every key below path, deepest first; false when one of them stays.
bool DeleteSubkeys(RegistryFunctions& registry, const std::string& path) {
    for (std::string child = registry.EnumKey(path, 0); !child.empty(); child = registry.EnumKey(path, 0)) {
        const std::string childPath = path + "\\" + child;
        if (!DeleteSubkeys(registry, childPath) || !registry.DelKey(childPath))
            return false;
    }
    return true;
}

std::string Clear(RegistryFunctions& registry, const std::string& path) {
    if (!DeleteSubkeys(registry, path))
        return "stuck";
    registry.DelKey(path); // false when there was nothing to clear
    return "cleared";
}

const std::vector<Operation>& Operations() {
    using R = RegistryFunctions;
    using A = Arguments;
    static const std::vector<Operation> operations = {
        {"AddKey", 1, [](R& r, const A& a) { return Bool(r.AddKey(a[0])); }},
        {"DelKey", 1, [](R& r, const A& a) { return Bool(r.DelKey(a[0])); }},
        {"WriteValue", 4, [](R& r, const A& a) { return Bool(r.WriteValue(a[0], a[1], a[2], a[3])); }},
        {"DelValue", 2, [](R& r, const A& a) { return Bool(r.DelValue(a[0], a[1])); }},
        {"ReadValue", 2, [](R& r, const A& a) { return Quoted(r.ReadValue(a[0], a[1])); }},
        {"EnumKey", 2, [](R& r, const A& a) { return Quoted(r.EnumKey(a[0], Index(a[1]))); }},
        {"EnumValue", 2, [](R& r, const A& a) { return Quoted(r.EnumValue(a[0], Index(a[1]))); }},
        {"EnumKeyCount", 1, [](R& r, const A& a) { return std::to_string(r.EnumKeyCount(a[0])); }},
        {"EnumValueCount", 1, [](R& r, const A& a) { return std::to_string(r.EnumValueCount(a[0])); }},
        {"Clear", 1, [](R& r, const A& a) { return Clear(r, a[0]); }},
    };
    return operations;
}

std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t bar; (bar = line.find('|')) != std::string_view::npos; line.remove_prefix(bar + 1))
        fields.push_back(line.substr(0, bar));
    fields.push_back(line);
    return fields;
}

} // namespace

std::string ProbeRunner::Run(std::string_view line) {
    const std::vector<std::string_view> fields = Split(line);
    for (const Operation& operation : Operations()) {
        if (fields.front() != operation.name)
            continue;
        if (fields.size() != operation.arguments + 1)
            throw std::invalid_argument(std::string(operation.name) + " takes " +
                                        std::to_string(operation.arguments) + " arguments");
        Arguments arguments;
        for (std::size_t i = 1; i < fields.size(); ++i)
            arguments.push_back(DecodeArgument(fields[i]));
        try {
            return operation.run(registry_, arguments);
        } catch (const std::overflow_error&) {
            return "overflow";
        }
    }
    throw std::invalid_argument("no operation " + std::string(fields.front()));
}

} // namespace qlx::probe
