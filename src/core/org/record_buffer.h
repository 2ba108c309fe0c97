#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace linvara {

// The records of one part of an ORG file, each a line ending in "\n", kept in
// one text buffer: a string per record costs more than the text itself, and a
// million-point project has about three million records.
class RecordBuffer {
public:
    void Append(std::string_view line);  // "\n" added when missing
    void DropLast();                     // the last record, if any
    // Marks a record for removal by RemoveVacated; until then every record
    // keeps its index.
    void Vacate(std::size_t index);
    void RemoveVacated();
    void Reserve(std::size_t records, std::size_t bytes);

    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    // A record with its "\n".
    std::string_view operator[](std::size_t index) const;
    // Every record in order, vacated ones included.
    std::string_view Text() const { return text_; }
    // The text without the vacated records: the runs of records between them.
    std::vector<std::string_view> KeptRuns() const;
    std::vector<std::string> Lines() const;  // without their "\n", for comparisons

private:
    std::size_t End(std::size_t index) const;

    std::string text_;
    std::vector<std::size_t> starts_;
    std::vector<std::size_t> vacated_;
};

}  // namespace linvara
