// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/ini_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvane {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// Byte classes of the dialect, looked up rather than compared one by one, so that the
// plain runs of a long name are passed over in bulk.
enum ByteClass : std::uint8_t {
    LineEnd = 1,       // \r \n
    LineSpecial = 2,   // what a line's scan stops at: \\ " = ;
    ValueSpecial = 4,  // what a value's reading stops at: \\ " ,
    WriteSpecial = 8,  // what writing must escape or quote: control bytes \\ " ; , =
};

constexpr std::array<std::uint8_t, 256> ByteClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (unsigned char c : {'\r', '\n'}) classes[c] |= LineEnd;
    for (unsigned char c : {'\\', '"', '=', ';'}) classes[c] |= LineSpecial;
    for (unsigned char c : {'\\', '"', ','}) classes[c] |= ValueSpecial;
    for (unsigned char c : {'\\', '"', ';', ',', '='}) classes[c] |= WriteSpecial;
    for (unsigned c = 0; c < 0x20; ++c) classes[c] |= WriteSpecial;
    return classes;
}();

bool Is(char c, ByteClass kind) { return (ByteClasses[static_cast<unsigned char>(c)] & kind) != 0; }

// The first byte at or after `from` of the class, or the end.
std::size_t Next(std::string_view text, std::size_t from, ByteClass kind) {
    while (from < text.size() && !Is(text[from], kind)) ++from;
    return from;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\n' || c == '\r'; }
bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }

std::optional<int> HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
    return std::nullopt;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Takes UTF-16 code units, as Qt's strings hold them, and pairs surrogates into
// UTF-8 and turns a lone one into U+FFFD. Flush() before reading the text.
class Utf16Sink {
public:
    explicit Utf16Sink(std::string& out) : out_(out) {}
    void Unit(char16_t unit) {
        if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
            AppendUtf8(out_, 0x10000 + ((char32_t{high_} - 0xD800) << 10) + (unit - 0xDC00));
            high_ = 0;
            return;
        }
        Flush();
        if (unit >= 0xD800 && unit <= 0xDBFF) high_ = unit;
        else AppendUtf8(out_, (unit >= 0xDC00 && unit <= 0xDFFF) ? 0xFFFD : unit);
    }
    void Bytes(std::string_view bytes) {
        Flush();
        out_ += bytes;
    }
    void Flush() {
        if (high_ != 0) AppendUtf8(out_, 0xFFFD);
        high_ = 0;
    }

private:
    std::string& out_;
    char16_t high_ = 0;  // a high surrogate waiting for its pair; 0 when none
};

// The code points of UTF-8 text; a byte that starts no valid sequence counts as U+FFFD.
std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        char32_t cp = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && cp >= smallest[length] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        points.push_back(valid ? cp : 0xFFFD);
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return points;
}

// --- reading -------------------------------------------------------------------------

// A key or section name: "%XX" and "%UXXXX" are code units, a backslash is a slash.
std::string UnescapeKey(std::string_view raw) {
    std::string utf8;
    for (char32_t cp : CodePoints(raw)) AppendUtf8(utf8, cp);
    std::string out;
    Utf16Sink sink(out);
    for (std::size_t i = 0; i < utf8.size();) {
        const char c = utf8[i];
        if (c == '\\') {
            sink.Unit(u'/');
            ++i;
            continue;
        }
        std::size_t digits = 2;
        std::size_t first = i + 1;
        if (c == '%' && first < utf8.size() && utf8[first] == 'U') {
            ++first;
            digits = 4;
        }
        std::optional<char16_t> unit;
        if (c == '%' && first + digits <= utf8.size()) {
            unit = 0;
            for (std::size_t k = first; k < first + digits && unit; ++k) {
                const auto v = HexValue(utf8[k]);
                unit = v ? std::optional<char16_t>(static_cast<char16_t>((*unit << 4) | *v)) : std::nullopt;
            }
        }
        if (unit) {
            sink.Unit(*unit);
            i = first + digits;
            continue;
        }
        // Anything else stands for itself, a whole UTF-8 sequence at a time.
        std::size_t end = i + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        sink.Bytes(std::string_view(utf8).substr(i, end - i));
        i = end;
    }
    sink.Flush();
    return out;
}

constexpr std::pair<char, char> SimpleEscapes[] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                                   {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                                   {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};

std::optional<char> SimpleUnescape(char letter) {
    for (const auto& [l, value] : SimpleEscapes)
        if (l == letter) return value;
    return std::nullopt;
}

void ChopTrailingBlanks(std::string& text, std::size_t limit) {
    while (text.size() > limit && IsBlank(text.back())) text.pop_back();
}

// A value's text after "=": quotes group, backslash escapes, and unquoted commas make a
// list, which reads back joined with commas, each item trimmed.
std::vector<std::string> UnescapeValue(std::string_view raw) {
    std::vector<std::string> items;
    std::string current;
    Utf16Sink sink(current);
    bool inQuotes = false;
    bool quoted = false;
    std::size_t chopLimit = 0;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && IsBlank(raw[i])) ++i;
    };
    const auto numericEscape = [&](int base, int maxDigit) {
        char16_t value = 0;
        while (i < raw.size()) {
            const auto v = HexValue(raw[i]);
            if (!v || *v > maxDigit) break;
            value = static_cast<char16_t>(value * base + *v);
            ++i;
        }
        sink.Unit(value);
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) break;
            const char e = raw[i++];
            if (const auto simple = SimpleUnescape(e)) {
                sink.Unit(static_cast<char16_t>(*simple));
            } else if (e == 'x' && i < raw.size() && HexValue(raw[i])) {
                numericEscape(16, 15);
            } else if (e >= '0' && e <= '7') {
                --i;
                numericEscape(8, 7);
            }
            // Any other escaped character is dropped.
            chopLimit = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
            chopLimit = current.size();
        } else if (c == ',' && !inQuotes) {
            sink.Flush();
            if (!quoted) ChopTrailingBlanks(current, chopLimit);
            items.push_back(std::move(current));
            current.clear();
            quoted = false;
            ++i;
            skipBlanks();
            chopLimit = 0;
        } else {
            const std::size_t end = Next(raw, i + 1, ValueSpecial);
            sink.Bytes(raw.substr(i, end - i));
            i = end;
        }
    }
    sink.Flush();
    if (!quoted) ChopTrailingBlanks(current, chopLimit);
    items.push_back(std::move(current));
    return items;
}

// Qt's own forms for values that are not plain text. Those that hold no text read as
// empty; "@Invalid()" reads as no value at all.
std::optional<std::string> FromVariantForm(std::string text) {
    if (text.starts_with('@') && text.ends_with(')')) {
        for (std::string_view form : {"@ByteArray(", "@String("})
            if (text.starts_with(form)) return text.substr(form.size(), text.size() - form.size() - 1);
        for (std::string_view form : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("})
            if (text.starts_with(form)) return std::string();
        if (text == "@Invalid()") return std::nullopt;
    }
    if (text.starts_with("@@")) text.erase(0, 1);
    return text;
}

std::optional<std::string> ReadValue(std::string_view raw) {
    std::vector<std::string> items = UnescapeValue(raw);
    if (items.size() == 1) return FromVariantForm(std::move(items.front()));
    std::string joined;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) joined += ',';
        joined += FromVariantForm(std::move(items[k])).value_or("");
    }
    return joined;
}

// One line up to a ";" comment that is neither quoted nor escaped; and where its first
// unquoted "=" is, if anywhere.
struct Entry {
    std::string_view text;
    std::optional<std::size_t> equals;
};

Entry Scan(std::string_view line) {
    bool inQuotes = false;
    Entry entry{line, std::nullopt};
    for (std::size_t i = Next(line, 0, LineSpecial); i < line.size(); i = Next(line, i + 1, LineSpecial)) {
        const char c = line[i];
        if (c == '\\') {
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == '=' && !inQuotes && !entry.equals) {
            entry.equals = i;
        } else if (c == ';' && !inQuotes) {
            entry.text = line.substr(0, i);
            break;
        }
    }
    return entry;
}

std::string SectionName(std::string_view header) {
    const std::size_t close = header.find(']');
    const std::string_view name = Trimmed(header.substr(1, close == std::string_view::npos ? close : close - 1));
    if (EqualsIgnoringCase(name, "general")) return "";
    if (EqualsIgnoringCase(name, "%general")) return "General";
    return UnescapeKey(name);
}

// --- writing -------------------------------------------------------------------------

void AppendPercent(std::string& out, char32_t unit, bool wide) {
    out += wide ? "%U" : "%";
    for (int shift = wide ? 12 : 4; shift >= 0; shift -= 4) out += HexDigits[(unit >> shift) & 0xF];
}

std::string EscapeKey(std::string_view key) {
    std::string out;
    for (char32_t cp : CodePoints(key)) {
        // Qt writes a slash as a backslash, which reads back wrong right before "=";
        // "%2F" reads back as a slash everywhere.
        if (cp < 0x80 && (IsAsciiAlnum(static_cast<char>(cp)) || cp == '_' || cp == '-' || cp == '.')) {
            out += static_cast<char>(cp);
        } else if (cp <= 0xFF) {
            AppendPercent(out, cp, false);
        } else if (cp <= 0xFFFF) {
            AppendPercent(out, cp, true);
        } else {
            AppendPercent(out, 0xD800 + ((cp - 0x10000) >> 10), true);
            AppendPercent(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), true);
        }
    }
    return out;
}

std::string SectionHeader(const std::string& name) {
    if (name.empty()) return "[General]";
    if (name == "General") return "[%General]";
    // Any other spelling of "general" would read back as the unnamed section.
    if (EqualsIgnoringCase(name, "general")) {
        std::string header = "[";
        AppendPercent(header, static_cast<unsigned char>(name[0]), false);
        return header + name.substr(1) + "]";
    }
    return "[" + EscapeKey(name) + "]";
}

void AppendLowerHex(std::string& out, unsigned value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    out += digits;
}

// The letter a byte is written as after a backslash, if it has one.
char EscapeLetter(char c) {
    for (const auto& [letter, escaped] : SimpleEscapes)
        if (c == escaped && letter != '?' && letter != '\'') return letter;
    return 0;
}

// Appends `text` as a value is written.
void AppendValue(std::string& out, std::string_view text) {
    // Qt marks text holding a NUL as such, and doubles a leading "@" so that text never
    // reads as one of its own forms.
    const bool hasNul = text.find('\0') != std::string_view::npos;
    std::string marked;
    if (hasNul) marked = "@String(" + std::string(text) + ")";
    const std::string_view value = hasNul ? std::string_view(marked) : text;
    const std::size_t start = out.size();
    if (!hasNul && value.starts_with('@')) out += '@';
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (std::size_t i = 0; i < value.size();) {
        const char c = value[i];
        const auto byte = static_cast<unsigned char>(c);
        if (escapeNextIfHex && HexValue(c)) {
            // Read back, it would run on as a digit of the escape before it.
            out += "\\x";
            AppendLowerHex(out, byte);
            ++i;
            continue;
        }
        escapeNextIfHex = false;
        if (!Is(c, WriteSpecial)) {
            const std::size_t end = Next(value, i + 1, WriteSpecial);
            out.append(value.substr(i, end - i));
            i = end;
            continue;
        }
        ++i;
        if (c == ';' || c == ',' || c == '=') {
            needsQuotes = true;
            out += c;
        } else if (c == '\0') {
            out += "\\0";
            escapeNextIfHex = true;
        } else if (const char letter = EscapeLetter(c)) {
            out += '\\';
            out += letter;
        } else {
            out += "\\x";
            AppendLowerHex(out, byte);
            escapeNextIfHex = true;
        }
    }
    if (needsQuotes || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(start), '"');
        out.push_back('"');
    }
}

}  // namespace

IniSections ParseIni(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    IniSections sections;
    std::string section;
    while (!text.empty()) {
        const std::size_t end = Next(text, 0, LineEnd);
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));

        while (!line.empty() && IsSpace(line.front())) line.remove_prefix(1);
        const Entry entry = Scan(line);
        if (entry.text.empty()) continue;
        if (entry.text.front() == '[') {
            section = SectionName(entry.text);
            continue;
        }
        if (!entry.equals || *entry.equals >= entry.text.size()) continue;
        const std::string key = UnescapeKey(Trimmed(entry.text.substr(0, *entry.equals)));
        if (key.empty()) continue;
        if (auto value = ReadValue(entry.text.substr(*entry.equals + 1)))
            sections[section][key] = std::move(*value);
        else if (auto found = sections.find(section); found != sections.end())
            found->second.erase(key);
    }
    std::erase_if(sections, [](const auto& s) { return s.second.empty(); });
    return sections;
}

std::string FormatIni(const IniSections& sections) {
    // One buffer, sized up front: a long name is copied once, not grown into.
    std::size_t size = 0;
    for (const auto& [name, keys] : sections)
        for (const auto& [key, value] : keys) size += key.size() + value.size() + 8;
    std::string text;
    text.reserve(size + size / 8);
    for (const auto& [name, keys] : sections) {
        if (keys.empty()) continue;
        if (!text.empty()) text += '\n';
        text += SectionHeader(name);
        text += '\n';
        for (const auto& [key, value] : keys) {
            text += EscapeKey(key);
            text += '=';
            AppendValue(text, value);
            text += '\n';
        }
    }
    return text;
}

}  // namespace quorvane
