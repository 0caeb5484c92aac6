// Header lines "Name: value" in order. Lookup ignores case; a line starting with a space or tab
// continues the one above it; long values are folded when written.
#pragma once

#include <string>
#include <vector>

#include "base/TextCase.h"

namespace zelvora {

inline constexpr int kIdHeaderFoldLength = 78;
inline constexpr int kIdRecordFoldLength = 1024;

class TIdHeaderList {
public:
    explicit TIdHeaderList(int foldLength = kIdHeaderFoldLength) : foldLength_(foldLength) {}
    void Clear() { lines_.clear(); }
    void Add(const std::string& line) { lines_.push_back(line); }
    const std::vector<std::string>& Lines() const { return lines_; }
    // The first value of that name, continuation lines joined with a space, trimmed.
    std::string Values(const std::string& name) const;
    // Every value of that name.
    std::vector<std::string> AllValues(const std::string& name) const;
    // Empty deletes the line (and its continuations); otherwise replaces the first or appends.
    void SetValue(const std::string& name, const std::string& value);
    int FoldLength() const { return foldLength_; }

private:
    std::size_t IndexOf(const std::string& name, std::size_t from = 0) const;
    std::string ValueAt(std::size_t index) const;
    std::vector<std::string> Folded(const std::string& line) const;
    std::size_t LinesOf(std::size_t index) const;
    std::vector<std::string> lines_;
    int foldLength_;
};

}  // namespace zelvora
