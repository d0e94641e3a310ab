#pragma once
// Reads the lines of a .reg file one at a time from a stream of its bytes,
// decoding as it goes: UTF-16LE after its byte-order mark, otherwise UTF-8 (a
// UTF-8 byte-order mark is dropped). CRLF, LF and CR all end a line. Only the
// current line is held, so a file of any size is read in little memory.

#include <istream>
#include <string>
#include <string_view>

namespace brackwell::registry::regfile {

class RegLineCursor {
public:
    // Stands on the first line (an empty one for an empty stream) or, when that
    // line cannot be decoded, at the end with error() set.
    explicit RegLineCursor(std::istream& in);

    bool AtEnd() const { return atEnd_; }
    std::u16string_view Current() const { return current_; }
    // 1-based number of the current line; past the end, the number of the last
    // line, or of the line that could not be decoded.
    int LineNumber() const { return lineNumber_; }
    // Moves to the next line, or to the end: after the last line, or on text that
    // cannot be decoded.
    void Advance();
    // Why the line at LineNumber() could not be decoded (invalid UTF-8, half a
    // UTF-16 character, a NUL character, a failed read); empty otherwise.
    const std::string& error() const { return error_; }

private:
    bool ReadLine();
    // Decodes the next bytes into units_; false when none are left.
    bool Decode();

    std::istream& in_;
    bool utf16_ = false;
    std::string bytes_;          // read and not yet decoded
    std::u16string units_;       // decoded and not yet taken into a line
    std::size_t next_ = 0;       // in units_
    std::string decodeProblem_;  // found after the last unit of units_
    bool skipLineFeed_ = false;  // the last line ended with CR
    bool atEnd_ = false;
    int lineNumber_ = 0;
    std::u16string_view current_;  // in units_, or in line_ for a line that spans two reads
    std::u16string line_;
    std::string error_;
};

}  // namespace brackwell::registry::regfile
