#include "components/KeyString.h"

#include "platform/CaseFold.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::uint8_t Shift = 16;
constexpr std::uint8_t Control = 17;
constexpr std::uint8_t Alt = 18;
constexpr std::uint8_t Enter = 13;
constexpr unsigned char EnterSign = 0xAC;

struct KeyName {
    std::string_view name;
    std::uint8_t code;
};

constexpr std::array<KeyName, 44> KeyNames { {
    { "CAPSLOCK", 20 },
    { "NUMLOCK", 144 },
    { "SCROLLOCK", 145 },
    { "ESCAPE", 27 },
    { "ESC", 27 },
    { "ENTER", 13 },
    { "HELP", 47 },
    { "PRTSC", 44 },
    { "TAB", 9 },
    { "BREAK", 19 },
    { "CLEAR", 12 },
    { "BACKSPACE", 8 },
    { "BS", 8 },
    { "BKSP", 8 },
    { "DELETE", 46 },
    { "DEL", 46 },
    { "INSERT", 45 },
    { "LEFT", 37 },
    { "RIGHT", 39 },
    { "UP", 38 },
    { "DOWN", 40 },
    { "PGUP", 33 },
    { "PGDN", 34 },
    { "HOME", 36 },
    { "END", 35 },
    { "F1", 112 },
    { "F2", 113 },
    { "F3", 114 },
    { "F4", 115 },
    { "F5", 116 },
    { "F6", 117 },
    { "F7", 118 },
    { "F8", 119 },
    { "F9", 120 },
    { "F10", 121 },
    { "F11", 122 },
    { "F12", 123 },
    { "F13", 124 },
    { "F14", 125 },
    { "F15", 126 },
    { "F16", 127 },
    { "WINLEFT", 91 },
    { "WINRIGHT", 92 },
    { "WINAPPS", 93 },
} };

std::optional<std::uint8_t> NamedKey(std::string_view name)
{
    for (const KeyName& key : KeyNames) {
        if (CaseFold::EqualIgnoringCase(key.name, name))
            return key.code;
    }
    return std::nullopt;
}

class Parser {
public:
    Parser(std::string_view text, std::vector<std::uint8_t>& codes, const KeyboardLayout& layout)
        : m_text(text)
        , m_codes(codes)
        , m_layout(layout)
    {
    }

    KeyStringResult Run()
    {
        while (m_at < m_text.size() && m_result == KeyStringResult::Ok)
            Token();
        return m_result;
    }

private:
    bool AtEnd() const { return m_at >= m_text.size(); }

    void Fail(KeyStringResult result)
    {
        if (m_result == KeyStringResult::Ok)
            m_result = result;
    }

    void Append(std::uint8_t code)
    {
        if (m_codes.size() >= KeyString::MaxEvents)
            return Fail(KeyStringResult::TooManyEvents);
        m_codes.push_back(code);
    }

    void Token()
    {
        if (m_result != KeyStringResult::Ok)
            return;
        // Groups and modifiers nest by recursion; a nesting this deep holds no sensible
        // key string and would only exhaust the stack.
        if (m_depth >= MaxNesting)
            return Fail(KeyStringResult::TooManyEvents);
        ++m_depth;
        Dispatch();
        --m_depth;
    }

    void Dispatch()
    {
        unsigned char c = static_cast<unsigned char>(m_text[m_at++]);
        switch (c) {
        case '+':
            return Modified(Shift);
        case '^':
            return Modified(Control);
        case '%':
            return Modified(Alt);
        case '(':
            return Group();
        case '{':
            return Braced();
        case EnterSign:
            return Append(Enter);
        default:
            return Character(c);
        }
    }

    void Modified(std::uint8_t modifier)
    {
        Append(modifier);
        if (!AtEnd())
            Token();
        Append(modifier);
    }

    void Group()
    {
        while (m_result == KeyStringResult::Ok) {
            if (AtEnd())
                return Fail(KeyStringResult::UnclosedGroup);
            if (m_text[m_at] == ')') {
                ++m_at;
                return;
            }
            Token();
        }
    }

    void Character(unsigned char c)
    {
        std::optional<LayoutKey> key = m_layout(c);
        if (key)
            Repeat(*key, 1);
    }

    void Repeat(LayoutKey key, long count)
    {
        if (key.shift)
            Append(Shift);
        for (long i = 0; i < count && m_result == KeyStringResult::Ok; ++i)
            Append(key.code);
        if (key.shift)
            Append(Shift);
    }

    void Braced()
    {
        std::size_t nameStart = m_at;
        // "{}}" names the closing brace itself.
        std::size_t scan = nameStart < m_text.size() && m_text[nameStart] == '}' ? nameStart + 1 : nameStart;
        std::size_t nameEnd = m_text.find_first_of(" }", scan);
        if (nameEnd == std::string_view::npos)
            return Fail(KeyStringResult::UnclosedBrace);
        std::string_view name = m_text.substr(nameStart, nameEnd - nameStart);
        std::optional<LayoutKey> key;
        if (std::optional<std::uint8_t> named = NamedKey(name))
            key = LayoutKey { *named, false };
        else if (name.size() == 1)
            key = m_layout(static_cast<unsigned char>(name.front()));
        if (!key)
            return Fail(KeyStringResult::UnknownKeyName);
        m_at = nameEnd;
        long count = 1;
        if (m_text[m_at] == ' ') {
            std::optional<long> repeat = RepeatCount();
            if (!repeat || *repeat == 0)
                return Fail(KeyStringResult::BadRepeatCount);
            if (*repeat < 0)
                return Fail(KeyStringResult::TooManyEvents);
            count = *repeat;
        }
        std::size_t close = m_text.find('}', m_at);
        if (close == std::string_view::npos)
            return Fail(KeyStringResult::UnclosedBrace);
        m_at = close + 1;
        Repeat(*key, count);
    }

    // Blanks, an optional sign and decimal digits; a count past the list's capacity is
    // kept just past it, so it fails as an overflow rather than wrapping.
    std::optional<long> RepeatCount()
    {
        while (!AtEnd() && m_text[m_at] == ' ')
            ++m_at;
        bool negative = false;
        if (!AtEnd() && (m_text[m_at] == '+' || m_text[m_at] == '-'))
            negative = m_text[m_at++] == '-';
        long count = 0;
        bool digits = false;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(m_text[m_at]))) {
            count = std::min<long>(count * 10 + (m_text[m_at++] - '0'), KeyString::MaxEvents + 1);
            digits = true;
        }
        if (!digits)
            return std::nullopt;
        return negative ? -count : count;
    }

    static constexpr int MaxNesting = 1024;

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_depth = 0;
    std::vector<std::uint8_t>& m_codes;
    const KeyboardLayout& m_layout;
    KeyStringResult m_result = KeyStringResult::Ok;
};

}

std::optional<LayoutKey> UsLayoutKey(unsigned char c)
{
    constexpr std::string_view shiftedDigits = ")!@#$%^&*(";
    constexpr std::string_view punctuation = ";=,-./`[\\]'";
    constexpr std::string_view shiftedPunctuation = ":+<_>?~{|}\"";
    constexpr std::uint8_t punctuationCodes[] = { 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222 };
    if (c >= 'a' && c <= 'z')
        return LayoutKey { static_cast<std::uint8_t>(c - 'a' + 'A'), false };
    if ((c >= 'A' && c <= 'Z'))
        return LayoutKey { c, true };
    if (c >= '0' && c <= '9')
        return LayoutKey { c, false };
    if (c == ' ' || c == '\t' || c == '\b')
        return LayoutKey { c, false };
    if (c == '\r' || c == '\n')
        return LayoutKey { Enter, false };
    if (std::size_t at = shiftedDigits.find(static_cast<char>(c)); at != std::string_view::npos)
        return LayoutKey { static_cast<std::uint8_t>('0' + at), true };
    if (std::size_t at = punctuation.find(static_cast<char>(c)); at != std::string_view::npos)
        return LayoutKey { punctuationCodes[at], false };
    if (std::size_t at = shiftedPunctuation.find(static_cast<char>(c)); at != std::string_view::npos)
        return LayoutKey { punctuationCodes[at], true };
    return std::nullopt;
}

KeyStringResult KeyString::Parse(
    std::string_view text, std::vector<std::uint8_t>& codes, const KeyboardLayout& layout)
{
    codes.clear();
    KeyStringResult result = Parser(text, codes, layout).Run();
    if (result != KeyStringResult::Ok)
        codes.clear();
    return result;
}
