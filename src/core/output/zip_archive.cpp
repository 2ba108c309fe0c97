#include "output/zip_archive.h"

#ifdef LINVARA_WITH_KMZ
#include <zip.h>

#include <cstdio>
#include <memory>
#endif

namespace linvara::output {

#ifndef LINVARA_WITH_KMZ
bool ZipAvailable() { return false; }

bool BuildZip(std::span<const ZipEntry>, std::string&, std::string& error) {
    error = "此版本没有ZIP库";
    return false;
}
#else
namespace {

using Source = std::unique_ptr<zip_source_t, decltype(&zip_source_free)>;
using Archive = std::unique_ptr<zip_t, decltype(&zip_discard)>;

std::string SourceError(zip_source_t* source) { return zip_error_strerror(zip_source_error(source)); }

// Adds every entry to `archive`, in order; false with the cause.
bool AddEntries(zip_t* archive, std::span<const ZipEntry> entries, std::string& error) {
    for (const ZipEntry& entry : entries) {
        Source data(zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0), zip_source_free);
        const zip_int64_t index = data ? zip_file_add(archive, entry.name.c_str(), data.get(), ZIP_FL_ENC_UTF_8) : -1;
        if (index >= 0) data.release();  // the archive owns it now
        if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                  entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) < 0) {
            error = zip_strerror(archive);
            return false;
        }
    }
    return true;
}

// Everything written to the memory source `buffer`.
bool ReadAll(zip_source_t* buffer, std::string& bytes, std::string& error) {
    if (zip_source_open(buffer) < 0) {
        error = SourceError(buffer);
        return false;
    }
    zip_int64_t size = -1;
    if (zip_source_seek(buffer, 0, SEEK_END) == 0) size = zip_source_tell(buffer);
    bool ok = size >= 0 && zip_source_seek(buffer, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size)) == size;
    }
    if (!ok) error = SourceError(buffer);
    zip_source_close(buffer);
    return ok;
}

}  // namespace

bool ZipAvailable() { return true; }

bool BuildZip(std::span<const ZipEntry> entries, std::string& zip, std::string& error) {
    zip_error_t cause;
    zip_error_init(&cause);
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &cause), zip_source_free);
    Archive archive(nullptr, zip_discard);
    if (buffer) archive.reset(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &cause));
    if (!archive) {
        error = zip_error_strerror(&cause);
        zip_error_fini(&cause);
        return false;
    }
    zip_source_keep(buffer.get());  // the archive's reference goes with it; ours keeps the bytes
    if (!AddEntries(archive.get(), entries, error)) return false;
    if (zip_close(archive.get()) < 0) {
        error = zip_strerror(archive.get());
        return false;
    }
    archive.release();  // zip_close freed it
    return ReadAll(buffer.get(), zip, error);
}
#endif

}  // namespace linvara::output
