#include "result/row_text_pipeline.hpp"

#include "result/text_rows.hpp"
#include "result/worker_signals.hpp"
#include "result/write_bytes.hpp"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zelm {
namespace {

constexpr std::size_t rows_per_batch = 8192;
constexpr std::size_t batches_in_flight = 6;
constexpr std::size_t text_makers = 2;
constexpr std::size_t write_piece = std::size_t{1} << 16U;

// A batch on its way: free, its rows taken from the sweep, its text made; free again
// once written.
enum class Stage : unsigned char { free, rows_taken, text_made };

struct Batch {
    Stage stage = Stage::free;
    std::size_t rows = 0;
    std::size_t length = 0;
    std::unique_ptr<SweepRow[]> row = std::make_unique<SweepRow[]>(rows_per_batch);
    // Room for the longest rows, left uninitialised: the pages a batch of usual rows
    // leaves untouched are never given memory. (make_unique would fill them with zeros.)
    std::unique_ptr<char[]> text{
        new char[rows_per_batch * RowWriter::max_length]};  // NOLINT(modernize-make-unique)
};

// Batch n lives in batches[n % batches_in_flight], from the taking of its rows to its
// writing; every change of a stage is made under the lock and told to all threads.
class Pipeline {
  public:
    explicit Pipeline(const ChartInputs& entered)
        : angles_(entered.angles), sweep_(entered), rows_(sweep_.rows()), batches_(batches_in_flight) {}

    // The sweep's thread: the rows, a batch at a time, in order.
    void take_rows() {
        for (std::size_t n = 0;; ++n) {
            Batch& batch = batches_[n % batches_in_flight];
            if (!wait_for([&] { return batch.stage == Stage::free; })) {
                return;
            }
            std::size_t rows = 0;
            for (const SweepRow* row = nullptr; rows < rows_per_batch && (row = sweep_.next()) != nullptr;
                 ++rows) {
                batch.row[rows] = *row;
            }
            batch.rows = rows;
            const std::lock_guard lock(mutex_);
            if (rows > 0) {
                batch.stage = Stage::rows_taken;
                ++taken_;
            }
            all_taken_ = rows < rows_per_batch;
            changed_.notify_all();
            if (all_taken_) {
                return;
            }
        }
    }

    // A text maker's thread: the text of the next batch no other maker has claimed. Each
    // maker keeps its own writer, whose cells only remember their last text.
    void make_text() {
        RowWriter writer(angles_);
        for (;;) {
            std::size_t n = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return given_up_ || claimed_ < taken_ || all_taken_; });
                if (given_up_ || claimed_ == taken_) {
                    return;
                }
                n = claimed_++;
            }
            Batch& batch = batches_[n % batches_in_flight];
            char* out = batch.text.get();
            for (std::size_t i = 0; i < batch.rows; ++i) {
                out = writer.put(out, batch.row[i]);
            }
            batch.length = static_cast<std::size_t>(out - batch.text.get());
            const std::lock_guard lock(mutex_);
            batch.stage = Stage::text_made;
            changed_.notify_all();
        }
    }

    // The caller's thread: the batches written in order, `stop` asked before each and
    // `progress` told after each.
    std::optional<Failure> write(std::FILE* file, const ShouldStop& stop, const TellProgress& progress) {
        std::int32_t written = 0;
        for (std::size_t n = 0;; ++n) {
            Batch& batch = batches_[n % batches_in_flight];
            bool made = false;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock,
                              [&] { return batch.stage == Stage::text_made || (all_taken_ && n == taken_); });
                made = batch.stage == Stage::text_made;
            }
            if (!made) {
                return std::nullopt;  // every batch written
            }
            // In pieces of at most 64 KiB, a pipe's usual room: a signal that comes while a
            // write waits on a full pipe then ends that write, where the rest of a larger one
            // would be written on after it.
            for (std::size_t done = 0; done < batch.length; done += write_piece) {
                if (asked_to_stop(stop)) {
                    return Failure::stop();
                }
                const std::size_t piece = std::min(write_piece, batch.length - done);
                if (auto failure = write_bytes(file, {batch.text.get() + done, piece})) {
                    return failure;
                }
            }
            written += static_cast<std::int32_t>(batch.rows);
            {
                const std::lock_guard lock(mutex_);
                batch.stage = Stage::free;
                changed_.notify_all();
            }
            tell_progress(progress, written, rows_);
        }
    }

    // Every thread's loop ends at its next wait.
    void give_up() {
        const std::lock_guard lock(mutex_);
        given_up_ = true;
        changed_.notify_all();
    }

    const SweepSummary& summary() const { return sweep_.summary(); }

  private:
    // False once given up.
    template <typename Ready>
    bool wait_for(Ready ready) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return given_up_ || ready(); });
        return !given_up_;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    Angles angles_;  // which the angle cells hold
    Sweep sweep_;
    const std::int32_t rows_;  // of the whole run, read before the sweep's thread starts
    std::vector<Batch> batches_;
    std::size_t taken_ = 0;    // batches whose rows are taken
    std::size_t claimed_ = 0;  // batches a text maker has taken up
    bool all_taken_ = false;
    bool given_up_ = false;
};

}  // namespace

PipelineReport write_rows_on_every_core(std::FILE* file, const ChartInputs& entered, const ShouldStop& stop,
                                        const TellProgress& progress) {
    PipelineReport report;
    Pipeline pipeline(entered);
    std::vector<std::thread> threads;
    const auto join_all = [&] {
        pipeline.give_up();
        for (std::thread& thread : threads) {
            thread.join();
        }
    };
    try {
        threads.emplace_back([&] {
            platform::leave_signals_to_the_writer();
            pipeline.take_rows();
        });
        for (std::size_t i = 0; i < text_makers; ++i) {
            threads.emplace_back([&] {
                platform::leave_signals_to_the_writer();
                pipeline.make_text();
            });
        }
    } catch (const std::system_error&) {
        join_all();  // no thread to be had: nothing is written yet, the caller writes the rows
        return report;
    }
    report.ran = true;
    try {
        report.failure = pipeline.write(file, stop, progress);
    } catch (...) {  // from the host's check: the threads end first
        join_all();
        throw;
    }
    join_all();
    report.sweep = pipeline.summary();
    return report;
}

}  // namespace zelm
