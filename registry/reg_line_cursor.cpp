#include "registry/reg_line_cursor.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "registry/reg_text_encoding.h"

namespace brackwell::registry::regfile {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

}  // namespace

RegLineCursor::RegLineCursor(std::istream& in) : in_(in) {
    // Enough bytes to tell the byte-order marks apart.
    while (bytes_.size() < kUtf8Bom.size() && in_) {
        char c;
        if (in_.get(c)) bytes_.push_back(c);
    }
    if (bytes_.starts_with(kUtf16LeBom)) {
        utf16_ = true;
        bytes_.erase(0, kUtf16LeBom.size());
    } else if (bytes_.starts_with(kUtf8Bom)) {
        bytes_.erase(0, kUtf8Bom.size());
    }
    Advance();
}

void RegLineCursor::Advance() {
    if (atEnd_) return;
    ++lineNumber_;
    if (!ReadLine()) {
        atEnd_ = true;
        if (error_.empty()) lineNumber_ = std::max(lineNumber_ - 1, 1);
    }
}

bool RegLineCursor::ReadLine() {
    line_.clear();
    bool spans = false;  // line_ holds the line's start from the units read before
    for (;;) {
        if (next_ == units_.size()) {
            units_.clear();
            next_ = 0;
            if (!Decode()) {
                if (!decodeProblem_.empty()) {
                    error_ = decodeProblem_;
                    return false;
                }
                // A last line without a line end; an empty stream is one empty line.
                current_ = line_;
                return !line_.empty() || lineNumber_ == 1;
            }
        }
        if (skipLineFeed_ && units_[next_] == u'\n') ++next_;
        skipLineFeed_ = false;
        const std::size_t start = next_;
        const char16_t* const units = units_.data();
        const std::size_t size = units_.size();
        while (next_ < size &&
               (units[next_] > u'\r' ||
                (units[next_] != u'\n' && units[next_] != u'\r' && units[next_] != u'\0'))) {
            ++next_;
        }
        const std::u16string_view piece(units + start, next_ - start);
        if (next_ == size) {
            line_.append(piece);
            spans = true;
            continue;
        }
        if (spans) line_.append(piece);
        current_ = spans ? std::u16string_view(line_) : piece;
        const char16_t end = units_[next_++];
        if (end == u'\0') {
            // Names and strings travel NUL-terminated: one inside the text would
            // silently cut them short.
            error_ = "NUL character in the text";
            return false;
        }
        skipLineFeed_ = end == u'\r';
        return true;
    }
}

bool RegLineCursor::Decode() {
    if (!decodeProblem_.empty()) return false;
    while (units_.empty()) {
        const std::size_t held = bytes_.size();
        bytes_.resize(held + kChunk);
        in_.read(bytes_.data() + held, kChunk);
        bytes_.resize(held + static_cast<std::size_t>(in_.gcount()));
        if (in_.bad()) {
            decodeProblem_ = "the file cannot be read";
            return false;
        }
        const bool final = in_.eof();
        if (bytes_.empty()) return false;
        std::size_t used = 0;
        if (utf16_) {
            units_.resize(bytes_.size() / 2);
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(units_.data(), bytes_.data(), units_.size() * 2);
            } else {
                for (std::size_t i = 0; i < units_.size(); ++i) {
                    units_[i] =
                        static_cast<char16_t>(static_cast<unsigned char>(bytes_[2 * i]) |
                                              static_cast<unsigned char>(bytes_[2 * i + 1]) << 8);
                }
            }
            used = units_.size() * 2;
            if (final && used < bytes_.size())
                decodeProblem_ = "the UTF-16 text ends in half a character";
        } else {
            bool invalid = false;
            used = DecodeUtf8(bytes_, final, units_, &invalid);
            if (invalid) decodeProblem_ = "the text is not valid UTF-8";
        }
        bytes_.erase(0, used);
        if (!decodeProblem_.empty() || final) return !units_.empty();
    }
    return true;
}

}  // namespace brackwell::registry::regfile
