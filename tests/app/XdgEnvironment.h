#pragma once

#include <QByteArray>
#include <array>
#include <string>
#include <utility>

/// While it lives, the XDG folders that name the default programs point at the given
/// config and data folders only, so the machine's own browser is never found.
class XdgEnvironment {
public:
    XdgEnvironment(const std::string& config, const std::string& data)
    {
        const std::array<std::pair<const char*, std::string>, 4> values { { { "XDG_CONFIG_HOME", config },
            { "XDG_CONFIG_DIRS", config }, { "XDG_DATA_HOME", data }, { "XDG_DATA_DIRS", data } } };
        for (std::size_t i = 0; i < values.size(); ++i) {
            m_saved[i] = { values[i].first, qgetenv(values[i].first) };
            qputenv(values[i].first, QByteArray::fromStdString(values[i].second));
        }
    }
    ~XdgEnvironment()
    {
        for (const auto& [name, value] : m_saved) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    XdgEnvironment(const XdgEnvironment&) = delete;
    XdgEnvironment& operator=(const XdgEnvironment&) = delete;

private:
    std::array<std::pair<const char*, QByteArray>, 4> m_saved;
};
