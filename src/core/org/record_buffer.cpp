#include "org/record_buffer.h"

#include <algorithm>
#include <cstring>

namespace linvara {

void RecordBuffer::Append(std::string_view line) {
    starts_.push_back(text_.size());
    text_ += line;
    if (line.empty() || line.back() != '\n') text_.push_back('\n');
}

void RecordBuffer::DropLast() {
    if (starts_.empty()) return;
    const std::size_t last = starts_.size() - 1;
    if (!vacated_.empty()) std::erase(vacated_, last);  // a later record may take its index
    text_.resize(starts_.back());
    starts_.pop_back();
}

void RecordBuffer::Vacate(std::size_t index) {
    if (index < starts_.size()) vacated_.push_back(index);
}

void RecordBuffer::RemoveVacated() {
    if (vacated_.empty()) return;
    std::sort(vacated_.begin(), vacated_.end());
    vacated_.erase(std::unique(vacated_.begin(), vacated_.end()), vacated_.end());
    std::size_t to = 0, kept = 0;
    auto gone = vacated_.begin();
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        if (gone != vacated_.end() && *gone == i) {
            ++gone;
            continue;
        }
        const std::size_t from = starts_[i], length = End(i) - from;
        std::memmove(text_.data() + to, text_.data() + from, length);
        starts_[kept++] = to;
        to += length;
    }
    text_.resize(to);
    starts_.resize(kept);
    vacated_.clear();
}

void RecordBuffer::Reserve(std::size_t records, std::size_t bytes) {
    starts_.reserve(records);
    text_.reserve(bytes);
}

std::vector<std::string_view> RecordBuffer::KeptRuns() const {
    std::vector<std::size_t> gone = vacated_;
    std::sort(gone.begin(), gone.end());
    std::vector<std::string_view> runs;
    std::size_t from = 0;
    for (std::size_t index : gone) {
        if (starts_[index] > from) runs.push_back(std::string_view(text_).substr(from, starts_[index] - from));
        from = std::max(from, End(index));
    }
    if (text_.size() > from) runs.push_back(std::string_view(text_).substr(from));
    return runs;
}

std::size_t RecordBuffer::End(std::size_t index) const {
    return index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
}

std::string_view RecordBuffer::operator[](std::size_t index) const {
    return std::string_view(text_).substr(starts_[index], End(index) - starts_[index]);
}

std::vector<std::string> RecordBuffer::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) {
        if (std::find(vacated_.begin(), vacated_.end(), i) != vacated_.end()) {
            lines.emplace_back();  // vacated: nothing of it reaches the file
            continue;
        }
        std::string_view r = (*this)[i];
        r.remove_suffix(1);
        lines.emplace_back(r);
    }
    return lines;
}

}  // namespace linvara
