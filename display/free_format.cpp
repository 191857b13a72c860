// Free-format text items, read the way configuration files are written by hand.
#include "display/free_format.h"

namespace torvex {

namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

// Consumes one line end: "\n", "\r\n" or a lone "\r".
void EatLineEnd(std::istream& in, int c) {
    if (c == '\r' && in.peek() == '\n') in.get();
}

// After an item: drops whatever is left before the next comma or line end, and that separator.
void SkipToSeparator(std::istream& in) {
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == ',') return;
        if (c == '\n' || c == '\r') {
            EatLineEnd(in, c);
            return;
        }
    }
}

}  // namespace

std::optional<std::string> ReadFreeItem(std::istream& in) {
    constexpr int kEof = std::char_traits<char>::eof();
    int c = in.get();
    // Leading blanks and empty lines hold no item; a comma ending a line does not make one either.
    for (;;) {
        while (IsBlank(c)) c = in.get();
        if (c == '\n' || c == '\r') {
            EatLineEnd(in, c);
            c = in.get();
            continue;
        }
        break;
    }
    if (c == kEof) return std::nullopt;

    std::string item;
    if (c == '"') {
        // A quoted item ends at its closing quote; an unclosed one at the end of its line.
        for (c = in.get(); c != kEof && c != '"'; c = in.get()) {
            if (c == '\n' || c == '\r') {
                EatLineEnd(in, c);
                return item;
            }
            item.push_back(char(c));
        }
        if (c == '"') SkipToSeparator(in);
        return item;
    }
    for (; c != kEof; c = in.get()) {
        if (c == ',') break;
        if (c == '\n' || c == '\r') {
            EatLineEnd(in, c);
            break;
        }
        item.push_back(char(c));
    }
    while (!item.empty() && IsBlank(static_cast<unsigned char>(item.back()))) item.pop_back();
    return item;
}

}  // namespace torvex
