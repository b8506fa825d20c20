#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>

namespace murelo {

// A tape output that could not be written, with the file and the reason in the message.
struct FileWriteError : std::runtime_error {
    FileWriteError(std::filesystem::path file, std::string reason)
        : std::runtime_error("cannot write " + file.string() + ": " + reason),
          file(std::move(file)), reason(std::move(reason)) {}

    std::filesystem::path file;
    std::string reason; // the system's words
};

// A file written under a uniquely named temporary name in the target's folder and renamed
// onto the target only by commit(), so a failed write never leaves a half file under the
// target's name, and the temporary file is gone whatever happens.
class TapeOutputFile {
  public:
    explicit TapeOutputFile(std::filesystem::path target); // FileWriteError if not creatable
    ~TapeOutputFile();
    TapeOutputFile(const TapeOutputFile&) = delete;
    TapeOutputFile& operator=(const TapeOutputFile&) = delete;

    void write(std::span<const std::uint8_t> bytes);
    void seek(std::size_t offset);
    void commit();

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& tempPath() const { return temp_; }

  private:
    [[noreturn]] void fail(const std::string& reason);
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
};

} // namespace murelo
