// A fresh folder under the system's temporary folder, removed with its contents.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    void write(std::string_view name, std::string_view contents) const;
    std::string read(std::string_view name) const;

  private:
    std::filesystem::path path_;
};

// A whole file's bytes (none when it cannot be read), and bytes written as a
// whole file, its folders made first.
std::vector<std::byte> fileBytes(const std::filesystem::path& file);
void writeBytesTo(const std::filesystem::path& file, std::span<const std::byte> bytes);

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::string previous_;
    bool hadPrevious_;
};

// Points the settings store at a folder for the lifetime of the object.
class ScopedConfigHome : public ScopedEnvironment {
  public:
    explicit ScopedConfigHome(const std::filesystem::path& folder)
        : ScopedEnvironment("XDG_CONFIG_HOME", folder.string()) {}
};
