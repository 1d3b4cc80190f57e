// A fresh folder under the system's temporary folder, removed with its contents.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

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

// Points the settings store at a folder for the lifetime of the object.
class ScopedConfigHome {
  public:
    explicit ScopedConfigHome(const std::filesystem::path& folder);
    ~ScopedConfigHome();

  private:
    std::string previous_;
    bool hadPrevious_;
};
