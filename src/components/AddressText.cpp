#include "components/AddressText.h"

#include "platform/CaseFold.h"

namespace {

bool IsAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSchemeChar(char c)
{
    return IsAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

}

std::string_view AddressText::SchemeOf(std::string_view address)
{
    if (address.empty() || !IsAlpha(address.front()))
        return {};
    for (std::size_t i = 1; i < address.size(); ++i) {
        if (address[i] == ':')
            return address.substr(0, i);
        if (!IsSchemeChar(address[i]))
            return {};
    }
    return {};
}

bool AddressText::IsScript(std::string_view address)
{
    std::size_t start = 0;
    while (start < address.size() && static_cast<unsigned char>(address[start]) <= ' ')
        ++start;
    return CaseFold::EqualIgnoringCase(SchemeOf(address.substr(start)), "javascript");
}

std::optional<std::string> AddressText::AsArgument(std::string address, DashForm dashForm)
{
    if (address.empty() || address.front() != '-')
        return address;
    switch (dashForm) {
    case DashForm::LocalPath:
        return "./" + address;
    case DashForm::Refused:
        return std::nullopt;
    }
    return std::nullopt;
}
