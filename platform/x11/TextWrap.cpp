#include "platform/x11/TextWrap.h"

#include <algorithm>

namespace {

bool StartsCharacter(const std::string& s, size_t at)
{
    return at >= s.size() || (static_cast<unsigned char>(s[at]) & 0xC0) != 0x80;
}

// The bytes of the longest start of rest, in whole characters, that fits;
// one character at least.
size_t LongestFit(const std::string& rest, int width, const std::function<int(const std::string&)>& measure)
{
    std::vector<size_t> ends;
    for (size_t at = 1; at <= rest.size(); ++at)
        if (StartsCharacter(rest, at))
            ends.push_back(at);
    // Widths grow with the characters taken.
    size_t low = 0, high = ends.size() - 1;
    while (low < high)
    {
        const size_t middle = (low + high + 1) / 2;
        if (measure(rest.substr(0, ends[middle])) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return ends[low];
}

void WrapParagraph(std::string rest, int width, const std::function<int(const std::string&)>& measure,
                   std::vector<std::string>& lines)
{
    while (!rest.empty())
    {
        if (measure(rest) <= width)
        {
            lines.push_back(rest);
            return;
        }
        const size_t fit = LongestFit(rest, width, measure);
        const size_t blank = rest.rfind(' ', fit);
        if (blank != std::string::npos && blank > 0)
        {
            lines.push_back(rest.substr(0, blank));
            rest.erase(0, blank + 1);
            continue;
        }
        const size_t slash = rest.rfind('/', fit - 1);
        const size_t cut = slash != std::string::npos && slash > 0 ? slash + 1 : fit;
        lines.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
    }
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();)
    {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string paragraph = text.substr(start, end - start);
        if (paragraph.empty())
            lines.emplace_back();
        else
            WrapParagraph(paragraph, width, measure, lines);
        start = end + 1;
    }
    return lines;
}

std::string ShortenToWidth(const std::string& text, int width,
                           const std::function<int(const std::string&)>& measure)
{
    if (text.empty() || measure(text) <= width)
        return text;
    const bool folder = text.size() > 1 && text.back() == '/';
    const std::string dots = folder ? ".../" : "...";
    const std::string start = folder ? text.substr(0, text.size() - 1) : text;
    // Advances add up: the start has the width the dots leave.
    return start.substr(0, LongestFit(start, width - measure(dots), measure)) + dots;
}
