// A small streaming JSON writer: enough for the pattern dump, exact for the
// single-precision values it prints.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
  public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void value(std::int64_t number);
    // Printed with nine significant digits, which read back as the same float.
    void value(float number);
    void value(std::string_view text);

    const std::string& text() const { return out_; }

  private:
    void separate();
    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
};
