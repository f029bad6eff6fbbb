#include "components/PasteSteps.h"

namespace {

constexpr std::string_view Open = "{p}";
constexpr std::string_view Close = "{/p}";

void Play(std::vector<PasteStep>& steps, std::string_view keys)
{
    if (!keys.empty())
        steps.push_back({ PasteStep::Kind::PlayKeys, std::string(keys) });
}

}

std::vector<PasteStep> PasteSteps(std::string_view keys, std::size_t clipboardCapacity)
{
    std::vector<PasteStep> steps;
    for (std::size_t open = keys.find(Open); open != std::string_view::npos; open = keys.find(Open)) {
        std::size_t close = keys.find(Close, open + Open.size());
        if (close == std::string_view::npos) {
            Play(steps, keys.substr(0, open));
            Play(steps, "^v");
            return steps;
        }
        std::string_view text = keys.substr(open + Open.size(), close - open - Open.size());
        steps.push_back({ PasteStep::Kind::SetClipboard, std::string(text.substr(0, clipboardCapacity)) });
        Play(steps, keys.substr(0, open));
        Play(steps, "^v");
        keys = keys.substr(close + Close.size());
    }
    Play(steps, keys);
    return steps;
}
