#pragma once
// The watch-list file "reduceprice.fg": an int32 version (1), an int32
// count, then count whole ReducePriceItem records, little-endian, no gaps.
// Reading never goes past the end of the data whatever the count says: it
// gives the whole records that are there (at most count of them), or none
// for a missing, short, empty or foreign file. Every text field of a record
// read is ended with a zero in its last unit. Writing replaces the file
// whole or not at all. Any thread; writers of one path, in any process,
// take turns.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shopping/reduce_price_item.h"

// Records keyed by their position in the file (1, 2, 3 ...).
using WatchListRecords = std::map<DWORD, ReducePriceItem>;

// size: the bytes the source holds; read(destination, n) gives the count of
// bytes it copied, less than n only at the end.
WatchListRecords ReadWatchList(std::uint64_t size, const std::function<std::size_t(void*, std::size_t)>& read);
WatchListRecords ReadWatchListBytes(const BYTE* data, std::size_t size);
// Empty when the path is empty or the file cannot be read.
WatchListRecords ReadWatchListFile(const std::u16string& path);

// Writes header and records to "<path>.tmp", flushes it to the disk and
// renames it over path, all under an exclusive lock on "<path>.lock" that
// writers of every process take, so two never share the temporary file.
// False, with the file at path as it was, when any of it fails. The lock
// file stays; a writer killed half-way leaves at most the one temporary
// file, which the next write reuses.
bool WriteWatchListFile(const std::u16string& path, const std::vector<ReducePriceItem>& records);
// Deletes the file under the same lock; false when there was none.
bool DeleteWatchListFile(const std::u16string& path);
