#include "update/HeaderList.h"

#include <algorithm>

namespace zelvora {

namespace {

constexpr char kSeparator[] = ": ";

bool IsContinuation(const std::string& line)
{
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

}  // namespace

std::size_t TIdHeaderList::IndexOf(const std::string& name, std::size_t from) const
{
    for (std::size_t i = from; i < lines_.size(); ++i) {
        if (IsContinuation(lines_[i])) continue;
        const std::size_t colon = lines_[i].find(':');
        if (colon != std::string::npos && SameText(Trim(lines_[i].substr(0, colon)), name)) return i;
    }
    return std::string::npos;
}

std::size_t TIdHeaderList::LinesOf(std::size_t index) const
{
    std::size_t count = 1;
    while (index + count < lines_.size() && IsContinuation(lines_[index + count])) ++count;
    return count;
}

std::string TIdHeaderList::ValueAt(std::size_t index) const
{
    const std::string& line = lines_[index];
    std::string value = Trim(line.substr(line.find(':') + 1));
    // Counted once: counting again for every continuation made thousands of them quadratic.
    const std::size_t end = index + LinesOf(index);
    for (std::size_t i = index + 1; i < end; ++i) {
        value += ' ';
        value += Trim(lines_[i]);
    }
    return Trim(value);
}

std::string TIdHeaderList::Values(const std::string& name) const
{
    const std::size_t index = IndexOf(name);
    return index == std::string::npos ? std::string() : ValueAt(index);
}

std::vector<std::string> TIdHeaderList::AllValues(const std::string& name) const
{
    std::vector<std::string> values;
    for (std::size_t i = IndexOf(name); i != std::string::npos; i = IndexOf(name, i + 1))
        values.push_back(ValueAt(i));
    return values;
}

std::vector<std::string> TIdHeaderList::Folded(const std::string& line) const
{
    std::vector<std::string> pieces;
    std::string rest = line;
    while (static_cast<int>(rest.size()) > foldLength_) {
        // The last break after a tab, space or comma outside quotes within the fold length.
        std::size_t breakAt = std::string::npos;
        bool quoted = false;
        for (std::size_t i = 0; i < rest.size() && i < static_cast<std::size_t>(foldLength_); ++i) {
            if (rest[i] == '"')
                quoted = !quoted;
            else if (!quoted && (rest[i] == ' ' || rest[i] == '\t' || rest[i] == ',') && i > 0)
                breakAt = i + 1;
        }
        if (breakAt == std::string::npos || breakAt >= rest.size()) break;
        std::string piece = rest.substr(0, breakAt);
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t')) piece.pop_back();
        pieces.push_back(piece);
        rest = " " + Trim(rest.substr(breakAt));
    }
    pieces.push_back(rest);
    return pieces;
}

void TIdHeaderList::SetValue(const std::string& name, const std::string& value)
{
    const std::size_t index = IndexOf(name);
    if (value.empty()) {
        if (index != std::string::npos)
            lines_.erase(lines_.begin() + index, lines_.begin() + index + LinesOf(index));
        return;
    }
    const std::vector<std::string> pieces = Folded(name + kSeparator + value);
    if (index == std::string::npos) {
        lines_.insert(lines_.end(), pieces.begin(), pieces.end());
    } else {
        lines_.erase(lines_.begin() + index, lines_.begin() + index + LinesOf(index));
        lines_.insert(lines_.begin() + index, pieces.begin(), pieces.end());
    }
}

}  // namespace zelvora
