// vellumar-rc: compiles a resource script into a C++ source that embeds every
// resource it lists, so that the program carries its resources inside it.
//
//   vellumar-rc SCRIPT OUTPUT.cpp SYMBOL [DEPFILE]
//
// A script line is `TYPE KEY SOURCE [VARIANT]`; `#` starts a comment.
//   TYPE     STRING, BITMAP, ICON, WAVE, DIALOG, ACCELERATORS or a name of our own
//   KEY      a number, or a name
//   SOURCE   "text" (stored as UTF-8), u16:N or u32:N (a little-endian number),
//            or a file, relative to the script's folder
//   VARIANT  a bitmap's scale or an icon's size; a BITMAP file NAME.bmp also
//            brings NAME@2x.bmp, NAME@3x.bmp and NAME@4x.bmp when they exist
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Resource {
    std::string type;
    std::string key;
    int variant = 1;
    std::vector<unsigned char> data;
};

[[noreturn]] void fail(const std::string& where, const std::string& why) {
    std::fprintf(stderr, "vellumar-rc: %s: %s\n", where.c_str(), why.c_str());
    std::exit(1);
}

std::optional<std::vector<unsigned char>> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::vector<unsigned char> littleEndian(unsigned long long value, int bytes) {
    std::vector<unsigned char> out;
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}

// Splits a line into words; a quoted word keeps its spaces and \" and \\ escapes.
std::vector<std::string> words(const std::string& line, const std::string& where) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            std::string word = "\"";
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                }
                word += line[i];
            }
            if (i >= line.size()) {
                fail(where, "a quoted text is not closed");
            }
            ++i;
            out.push_back(word);
        } else {
            const std::size_t end = line.find_first_of(" \t\r#", i);
            out.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return out;
}

bool isNumber(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

void emitArray(std::ostream& out, std::size_t index, const std::vector<unsigned char>& data) {
    out << "alignas(4) const unsigned char r" << index << "[] = {";
    for (std::size_t i = 0; i < data.size(); ++i) {
        out << (i % 24 == 0 ? "\n    " : "") << static_cast<int>(data[i]) << ',';
    }
    if (data.empty()) {
        out << "0";
    }
    out << "\n};\n";
}

std::string u16Literal(const std::string& name) {
    std::string out = "u\"";
    for (char c : name) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: vellumar-rc SCRIPT OUTPUT.cpp SYMBOL [DEPFILE]\n");
        return 2;
    }
    const fs::path script = argv[1];
    const fs::path output = argv[2];
    const std::string symbol = argv[3];
    std::ifstream in(script);
    if (!in) {
        fail(script.string(), "cannot be read");
    }
    const fs::path folder = script.parent_path();
    std::vector<Resource> resources;
    std::vector<fs::path> inputs = {script};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string where = script.string() + ":" + std::to_string(number);
        const std::vector<std::string> w = words(line, where);
        if (w.empty()) {
            continue;
        }
        if (w.size() < 3 || w.size() > 4) {
            fail(where, "expected TYPE KEY SOURCE [VARIANT]");
        }
        Resource r{w[0], w[1], w.size() == 4 ? std::stoi(w[3]) : 1, {}};
        const std::string& source = w[2];
        if (source.front() == '"') {
            r.data.assign(source.begin() + 1, source.end());
        } else if (source.starts_with("u16:") || source.starts_with("u32:")) {
            r.data = littleEndian(std::stoull(source.substr(4)), source[1] == '1' ? 2 : 4);
        } else {
            const fs::path file = folder / source;
            const auto bytes = readFile(file);
            if (!bytes) {
                fail(where, "cannot read " + file.string());
            }
            r.data = *bytes;
            inputs.push_back(file);
            if (r.type == "BITMAP" && w.size() == 3) {
                for (int scale = 2; scale <= 4; ++scale) {
                    fs::path larger = file;
                    larger.replace_filename(file.stem().string() + "@" + std::to_string(scale) + "x" +
                                            file.extension().string());
                    if (const auto variant = readFile(larger)) {
                        resources.push_back({r.type, r.key, scale, *variant});
                        inputs.push_back(larger);
                    }
                }
            }
        }
        resources.push_back(std::move(r));
    }

    std::ostringstream out;
    out << "// Generated by vellumar-rc from " << script.filename().string() << "; do not edit.\n"
        << "#include \"platform/resources.h\"\n\nnamespace {\n\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        emitArray(out, i, resources[i].data);
    }
    out << "\nconst platform::ResourceEntry entries[] = {\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const Resource& r = resources[i];
        const bool numbered = isNumber(r.key);
        out << "    {\"" << r.type << "\", " << (numbered ? r.key : "-1") << ", "
            << (numbered ? std::string("u\"\"") : u16Literal(r.key)) << ", " << r.variant
            << ", std::as_bytes(std::span(r" << i << ", " << r.data.size() << "))},\n";
    }
    out << "};\n\n}  // namespace\n\nextern const platform::ResourceTable " << symbol << "{entries};\n";

    std::ofstream file(output);
    file << out.str();
    if (!file) {
        fail(output.string(), "cannot be written");
    }
    if (argc == 5) {
        std::ofstream depfile(argv[4]);
        depfile << output.string() << ":";
        for (const fs::path& input : inputs) {
            depfile << " \\\n  " << fs::absolute(input).string();
        }
        depfile << "\n";
    }
    return 0;
}
