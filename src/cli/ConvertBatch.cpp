// convert -O: many pictures through one process, converted on every core and written as one
// batch (synced once, not once per file).
#include "ConvertBatch.h"

#include "ConvertExport.h"
#include "ConvertResult.h"
#include "PictureFileLoading.h"

#include "core/convert/CompanionBitmaps.h"
#include "core/convert/Conversion.h"
#include "core/editor/AtomicBatch.h"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include <unistd.h>

namespace murelo::cli {
namespace {

namespace fs = std::filesystem;

// What one picture gives: the files to write, or why it gave none.
struct PictureOutcome {
    std::vector<NamedBytes> files;
    std::string error;
};

std::string ResultName(const ConvertOptions& o, const std::string& file) {
    const std::string extension = o.format == ResultFormat::Png ? ".png" : ".bmp";
    return (fs::path(o.outDir) / fs::path(file).stem()).string() + extension;
}

// The Export and Save dialogs' names for a picture, in DIR: its name without extension, and
// with the Save bitmap's suffix.
ScreenFileOptions ScreenFilesOf(const ConvertOptions& o, const std::string& file) {
    ScreenFileOptions files = o.screenFiles;
    const std::string stem = (fs::path(o.outDir) / fs::path(file).stem()).string();
    if (o.screenFiles.exportEach)
        files.exportPath = stem;
    if (o.screenFiles.saveEach)
        files.savePath = stem + std::string(CompanionSuffix(Describe(o.mode).companion));
    return files;
}

PictureOutcome ConvertPicture(const ConvertOptions& o, const std::string& file) {
    PictureOutcome outcome;
    try {
        Picture picture = ReadPictureOrThrow(file).picture;
        const ScreenFileOptions screenFiles = ScreenFilesOf(o, file);
        CheckScreenFiles(screenFiles, o.mode, o.params.Interlace, picture);
        const auto state = Convert({std::move(picture), o.mode, o.params});
        outcome.files.push_back(
            {ResultName(o, file), EncodeResult(state->result, o.format, o.params.PaletteKind)});
        for (std::vector<NamedBytes>& set : BuildScreenFiles(screenFiles, *state))
            for (NamedBytes& f : set)
                outcome.files.push_back(std::move(f));
    } catch (const std::exception& e) {
        outcome.files.clear();
        outcome.error = e.what();
        if (outcome.error.rfind(file, 0) != 0)
            outcome.error = file + ": " + outcome.error;
    }
    return outcome;
}

// Two pictures named alike ("a.png" and "a.jpg") would write the same result.
void RefuseClashingNames(const ConvertOptions& o) {
    std::set<std::string> names;
    for (const std::string& file : o.files)
        if (!names.insert(ResultName(o, file)).second)
            throw UsageError("two pictures would both be written as " + ResultName(o, file) +
                             "; convert them into different folders");
}

// The pictures converted so far, handed to the writer in their order.
class Outcomes {
  public:
    explicit Outcomes(std::size_t count) : slots_(count) {}
    void put(std::size_t i, PictureOutcome outcome) {
        {
            const std::lock_guard lock(mutex_);
            slots_[i] = std::move(outcome);
        }
        ready_.notify_all();
    }
    PictureOutcome take(std::size_t i) {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] { return slots_[i].has_value(); });
        PictureOutcome outcome = std::move(*slots_[i]);
        slots_[i].reset();
        return outcome;
    }

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::optional<PictureOutcome>> slots_;
};

class Progress {
  public:
    explicit Progress(std::size_t total) : total_(total), shown_(::isatty(STDERR_FILENO) == 1) {}
    void step(std::size_t done) const {
        if (shown_)
            std::cerr << "\rconverted " << done << " of " << total_ << std::flush;
    }
    void end() const {
        if (shown_)
            std::cerr << "\r" << std::string(40, ' ') << "\r" << std::flush;
    }

  private:
    std::size_t total_;
    bool shown_;
};

} // namespace

int RunBatch(const ConvertOptions& o) {
    RefuseClashingNames(o);
    std::error_code ec;
    fs::create_directories(o.outDir, ec);
    const std::size_t count = o.files.size();
    Outcomes outcomes(count);
    std::atomic<std::size_t> next{0};
    std::vector<std::jthread> workers;
    const std::size_t jobs = std::min<std::size_t>(std::size_t(o.jobs), count);
    for (std::size_t w = 0; w < jobs; ++w)
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < count; i = next++)
                outcomes.put(i, ConvertPicture(o, o.files[i]));
        });

    const Progress progress(count);
    AtomicBatch batch;
    std::vector<std::string> written, failures;
    const auto commit = [&] {
        for (const FileWriteError& e : batch.commit()) {
            failures.push_back(e.what());
            std::erase(written, e.file.string());
        }
    };
    for (std::size_t i = 0; i < count; ++i) {
        const PictureOutcome outcome = outcomes.take(i);
        if (!outcome.error.empty())
            failures.push_back(outcome.error);
        for (const NamedBytes& f : outcome.files) {
            try {
                batch.write(f.name, f.bytes);
                written.push_back(f.name);
            } catch (const FileWriteError& e) {
                failures.push_back(e.what());
            }
        }
        if (batch.size() >= AtomicBatch::CommitSize)
            commit();
        progress.step(i + 1);
    }
    commit();
    progress.end();
    for (const std::string& name : written)
        std::cout << name << "\n";
    std::cout.flush();
    for (const std::string& failure : failures)
        std::cerr << "murelo9918-cli convert: " << failure << "\n";
    return failures.empty() ? ExitOk : ExitBadInput;
}

} // namespace murelo::cli
