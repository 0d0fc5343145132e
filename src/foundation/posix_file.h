#pragma once

#include <cstddef>
#include <sys/types.h>

// Small pieces shared by the readers and writers of files on POSIX descriptors.
namespace lorvan {

// Owns an open file descriptor (a negative one stands for none) and closes it at the end.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Gives up ownership: the caller closes the descriptor.
    int release();
    // Closes now; false (errno set) when closing reports a failure.
    bool close();

  private:
    int fd_;
};

// Writes all bytes, again after an interruption; false with errno set.
bool writeAll(int fd, const char* data, size_t size);

// The process's file creation mask (read without changing it).
mode_t currentUmask();

} // namespace lorvan
