#pragma once
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace linvara::text {

// The record files the design package reads (ORG, tower-base ORG and INI):
// UTF-8 text with "\n" line ends written as GB18030 with CR LF, replacing
// the target atomically. False when the file could not be written, with the
// system's reason in `error` when given.
bool WriteGbkTextFile(const std::string& path, std::string_view utf8WithLf, std::string* error = nullptr);

// The same for record lines (each ending in "\n"), block after block in order.
bool WriteRecordFile(const std::string& path, std::initializer_list<std::span<const std::string>> blocks,
                     std::string* error = nullptr);

}  // namespace linvara::text
