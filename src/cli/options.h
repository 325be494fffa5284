// A small parser for "--name VALUE", "--name=VALUE" and plain arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavik::cli {

class Options {
public:
    // `valued` lists the options that take a value; `flags` those that don't.
    Options(std::vector<std::string> args, std::vector<std::string_view> valued,
            std::vector<std::string_view> flags);

    std::optional<std::string> Value(std::string_view name) const;
    bool Flag(std::string_view name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

private:
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_flags;
    std::vector<std::string> m_positional;
};

}  // namespace tavik::cli
