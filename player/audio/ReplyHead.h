#pragma once
// The head of an HTTP or ICY reply, built line by line as the transport hands the lines over.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace audio {

class ReplyHead {
public:
    // One raw line with or without its line end; an empty line completes the head, and a
    // status line after a complete head (the next reply of a redirect) starts a new one.
    void addLine(std::string_view raw);
    bool complete() const { return complete_; }
    // Bytes of all lines so far, to bound what a server can make us keep.
    std::size_t size() const { return size_; }

    // The three digits after the protocol word; 0 when there are none.
    int statusCode() const;
    bool isSuccess() const;
    // A reply the transport follows by itself (3xx with a Location), or an interim 1xx.
    bool isInterim() const;
    // The first header with this name, compared without case, value without leading blanks.
    std::optional<std::string> value(std::string_view name) const;
    // An ICY status line or any "icy-" header.
    bool hasIcy() const;
    // The status line and the header lines, each NUL-terminated, ended by an empty one.
    std::string block() const;

private:
    std::vector<std::string> lines_;  // status line first
    std::size_t size_ = 0;
    bool complete_ = false;
};

}  // namespace audio
