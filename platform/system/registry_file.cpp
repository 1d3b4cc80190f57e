#include "platform/system/registry_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

#include "platform/base/text.h"

namespace platform {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    return s;
}

// Reads a quoted string at the start of `s`, undoing \\ and \" escapes;
// `s` is left after the closing quote.
std::optional<std::string> readQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) {
                return std::nullopt;
            }
            out += s[++i];
        } else if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return out;
        } else {
            out += s[i];
        }
    }
    return std::nullopt;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

std::optional<std::uint32_t> readHexNumber(std::string_view s) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, 16);
    if (error != std::errc() || end != s.data() + s.size() || s.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<BYTE>> readHexBytes(std::string_view s) {
    std::vector<BYTE> bytes;
    while (!s.empty()) {
        const std::size_t comma = s.find(',');
        const std::string_view item = trimmed(s.substr(0, comma));
        const auto value = readHexNumber(item);
        if (!value || *value > 0xFF || item.size() > 2) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<BYTE>(*value));
        if (comma == std::string_view::npos) {
            break;
        }
        s.remove_prefix(comma + 1);
        if (s.empty()) {
            return std::nullopt;
        }
    }
    return bytes;
}

std::vector<BYTE> textBytes(std::u16string_view text) {
    std::vector<BYTE> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// A text value is written as a quoted string only when its bytes are exactly
// UTF-16 text with one terminator, so that reading it back gives the same bytes.
std::optional<std::u16string> textOf(const std::vector<BYTE>& bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0 || c == u'\n' || c == u'\r') {
            return std::nullopt;  // a text value lives on one line
        }
        text += c;
    }
    if (bytes[bytes.size() - 2] != 0 || bytes.back() != 0) {
        return std::nullopt;
    }
    if (utf8ToUtf16(utf16ToUtf8(text)) != text) {
        return std::nullopt;  // unpaired surrogates do not survive UTF-8
    }
    return text;
}

std::optional<RegistryValue> readValueLine(std::string_view line) {
    std::string_view rest = line;
    const auto name = readQuoted(rest);
    if (!name || rest.empty() || rest.front() != '=') {
        return std::nullopt;
    }
    rest.remove_prefix(1);
    RegistryValue value;
    value.name = utf8ToUtf16(*name);
    if (!rest.empty() && rest.front() == '"') {
        const auto text = readQuoted(rest);
        if (!text || !trimmed(rest).empty()) {
            return std::nullopt;
        }
        value.type = REG_SZ;
        value.data = textBytes(utf8ToUtf16(*text));
    } else if (rest.starts_with("dword:")) {
        const std::string_view digits = rest.substr(6);
        const auto number = readHexNumber(digits);
        if (!number || digits.size() != 8) {
            return std::nullopt;
        }
        value.type = REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<BYTE>((*number >> shift) & 0xFF));
        }
    } else if (rest.starts_with("hex(")) {
        const std::size_t close = rest.find("):");
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const auto type = readHexNumber(rest.substr(4, close - 4));
        const auto bytes = readHexBytes(rest.substr(close + 2));
        if (!type || !bytes) {
            return std::nullopt;
        }
        value.type = *type;
        value.data = *bytes;
    } else {
        return std::nullopt;
    }
    return value;
}

}  // namespace

const RegistryValue* RegistrySection::find(std::u16string_view name) const {
    const auto it = std::ranges::find_if(
        values, [&](const RegistryValue& v) { return equalsIgnoringCase(v.name, name); });
    return it == values.end() ? nullptr : &*it;
}

void RegistrySection::set(RegistryValue value) {
    auto it = std::ranges::find_if(
        values, [&](const RegistryValue& v) { return equalsIgnoringCase(v.name, value.name); });
    if (it == values.end()) {
        values.push_back(std::move(value));
    } else {
        it->type = value.type;
        it->data = std::move(value.data);
    }
}

RegistrySection* RegistryDocument::find(std::u16string_view path) {
    const auto it = std::ranges::find_if(sections, [&](const RegistrySection& s) {
        return !s.path.empty() && equalsIgnoringCase(s.path, path);
    });
    return it == sections.end() ? nullptr : &*it;
}

RegistrySection& RegistryDocument::findOrAdd(std::u16string_view path) {
    if (RegistrySection* section = find(path)) {
        return *section;
    }
    sections.push_back({std::u16string(path), {}, {}});
    return sections.back();
}

RegistryDocument parseRegistryText(std::string_view text) {
    RegistryDocument document;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t current = kNone;  // the section the lines belong to
    const auto keep = [&](std::string_view line) {
        if (current == kNone) {
            document.leadingLines.emplace_back(line);
        } else {
            RegistrySection& section = document.sections[current];
            section.keptLines.push_back({section.values.size(), std::string(line)});
        }
    };
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (first && line.starts_with("\xEF\xBB\xBF")) {
            line = trimmed(line.substr(3));
        }
        const bool isHeader = first && line == kHeader;
        first = false;
        if (line.empty() || isHeader) {
            continue;
        }
        if (line.front() == ';') {
            keep(line);
        } else if (line.front() == '[' && (line.back() != ']' || line.size() < 3)) {
            // Values under a broken section name belong nowhere; they are kept with it.
            ++document.damagedLines;
            document.sections.push_back({u"", {}, {{0, std::string(line)}}});
            current = document.sections.size() - 1;
        } else if (line.front() == '[') {
            const std::u16string path = utf8ToUtf16(line.substr(1, line.size() - 2));
            document.findOrAdd(path);
            current = static_cast<std::size_t>(document.find(path) - document.sections.data());
        } else if (auto value = current != kNone && !document.sections[current].path.empty()
                                    ? readValueLine(line)
                                    : std::nullopt) {
            document.sections[current].set(std::move(*value));
        } else {
            ++document.damagedLines;
            keep(line);
        }
    }
    return document;
}

std::string formatRegistryText(const RegistryDocument& document) {
    std::string out(kHeader);
    out += "\n";
    for (const std::string& line : document.leadingLines) {
        out += line + "\n";
    }
    for (const RegistrySection& section : document.sections) {
        if (!section.path.empty()) {
            out += "\n[" + utf16ToUtf8(section.path) + "]\n";
        }
        std::size_t kept = 0;
        const auto writeKeptLines = [&](std::size_t before) {
            for (; kept < section.keptLines.size() && section.keptLines[kept].before <= before; ++kept) {
                out += section.keptLines[kept].text + "\n";
            }
        };
        for (std::size_t v = 0; v < section.values.size(); ++v) {
            writeKeptLines(v);
            const RegistryValue& value = section.values[v];
            out += quoted(utf16ToUtf8(value.name)) + "=";
            const auto text = value.type == REG_SZ ? textOf(value.data) : std::nullopt;
            if (text) {
                out += quoted(utf16ToUtf8(*text));
            } else if (value.type == REG_DWORD && value.data.size() == 4) {
                char digits[9];
                const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                             (static_cast<std::uint32_t>(value.data[3]) << 24);
                std::snprintf(digits, sizeof digits, "%08x", number);
                out += "dword:";
                out += digits;
            } else {
                char type[12];
                std::snprintf(type, sizeof type, "%x", value.type);
                out += "hex(";
                out += type;
                out += "):";
                for (std::size_t i = 0; i < value.data.size(); ++i) {
                    char byte[4];
                    std::snprintf(byte, sizeof byte, "%02x", value.data[i]);
                    if (i > 0) {
                        out += ',';
                    }
                    out += byte;
                }
            }
            out += "\n";
        }
        writeKeptLines(static_cast<std::size_t>(-1));
    }
    return out;
}

}  // namespace platform
