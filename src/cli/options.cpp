// Command-line option parsing.
#include "cli/options.h"

#include <algorithm>

#include "cli/command_error.h"

namespace tavik::cli {

Options::Options(std::vector<std::string> args, std::vector<std::string_view> valued,
                 std::vector<std::string_view> flags) {
    auto contains = [](const auto& list, std::string_view name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    bool onlyPositional = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (contains(valued, name)) {
            if (equals != std::string::npos) {
                m_values.emplace_back(name, arg.substr(equals + 1));
            } else if (i + 1 < args.size()) {
                m_values.emplace_back(name, args[++i]);
            } else {
                throw CommandError("option " + name + " needs a value");
            }
        } else if (contains(flags, name) && equals == std::string::npos) {
            m_flags.push_back(name);
        } else {
            throw CommandError("unknown option " + arg);
        }
    }
}

std::optional<std::string> Options::Value(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& [key, v] : m_values)
        if (key == name) value = v;  // the last one given wins
    return value;
}

bool Options::Flag(std::string_view name) const {
    return std::find(m_flags.begin(), m_flags.end(), name) != m_flags.end();
}

}  // namespace tavik::cli
