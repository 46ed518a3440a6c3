#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// Large runs of T handed out whole, all released together with the store. A store may take
// over the largest run of an earlier store, so that reading a file again reuses the memory
// of the reading before instead of having the system clear fresh pages; the reuse is only
// for trivial types whose old contents nobody reads again (the caller writes every element
// it uses).
template <typename T> class SpareRuns {
  public:
    // count elements, left unset.
    T* Allocate(std::size_t count) {
        if (count == 0)
            return nullptr;
        // A spare far larger than needed would keep memory nobody uses: give it back.
        if (spare_.data && spare_.size >= count && spare_.size / 2 <= count) {
            runs_.push_back(std::exchange(spare_, Run{}));
        } else {
            spare_ = {};
            runs_.push_back({std::make_unique_for_overwrite<T[]>(count), count});
        }
        return runs_.back().data.get();
    }

    // Keeps the largest run of other (which then no longer holds it) for the next Allocate.
    // other's users must not touch that run again.
    void TakeSpareFrom(SpareRuns& other) {
        Run* largest = other.spare_.data ? &other.spare_ : nullptr;
        for (Run& run : other.runs_)
            if (!largest || run.size > largest->size)
                largest = &run;
        if (largest)
            spare_ = std::exchange(*largest, Run{});
    }

  private:
    struct Run {
        std::unique_ptr<T[]> data;
        std::size_t size = 0;
    };
    std::vector<Run> runs_;
    Run spare_;
};
