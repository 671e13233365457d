#pragma once
// Whole-file reads and atomic whole-file replacement for the layer's own
// small files (profiles, autostart entries), and a lock file that several
// processes honour. Any thread may call these; nothing is cached.
#include <string>
#include <string_view>

namespace quorla {

// Reads the whole file; 0, or the errno value of the failure.
int ReadWholeFile(const std::string& path, std::string* contents);

// Replaces the file by contents so that a crash at any moment leaves either
// the old or the new file whole: a new file beside it is written, flushed
// and renamed over it, then the folder is flushed. The new file keeps the old
// one's permission bits (0666 less the umask when there was none). Returns 0,
// or the errno value of the failure; on failure the old file is untouched and
// no new file is left behind.
int ReplaceWholeFile(const std::string& path, std::string_view contents);

// ReplaceWholeFile for a caller that holds FileLock(path): the new file has
// one fixed name, "<path>.new", so a writer killed half-way leaves that one
// file behind, which the next writer overwrites, instead of a new file for
// every killed writer.
int ReplaceLockedWholeFile(const std::string& path, std::string_view contents);

// An exclusive flock on "<path>.lock", held from construction to
// destruction. Locks of other processes and of other threads of this process
// exclude each other alike.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // 0 when the lock is held, else the errno value of the failure.
  int Error() const { return error_; }

 private:
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace quorla
