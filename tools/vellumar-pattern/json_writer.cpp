#include "tools/vellumar-pattern/json_writer.h"

#include <cmath>
#include <cstdio>

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) {
            out_ += ',';
        }
        first_.back() = false;
    }
}

void JsonWriter::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
}

void JsonWriter::endObject() {
    first_.pop_back();
    out_ += '}';
}

void JsonWriter::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
}

void JsonWriter::endArray() {
    first_.pop_back();
    out_ += ']';
}

void JsonWriter::key(std::string_view name) {
    value(name);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::value(std::int64_t number) {
    separate();
    out_ += std::to_string(number);
}

void JsonWriter::value(float number) {
    separate();
    if (!std::isfinite(number)) {
        out_ += "null";  // JSON has no infinities; no loaded pattern has them either
        return;
    }
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.9g", static_cast<double>(number));
    out_ += digits;
}

void JsonWriter::value(std::string_view text) {
    separate();
    out_ += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out_ += escaped;
        } else {
            out_ += c;
        }
    }
    out_ += '"';
}
