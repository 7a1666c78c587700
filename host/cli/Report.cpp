#include "host/cli/Report.h"

#include "host/StandInHost.h"

#include <cmath>
#include <cstdint>

namespace {

// The length of the UTF-8 sequence at text[i], or 0 when it is not one.
size_t Utf8Length(const std::string& text, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, code = lead & 0x1Fu;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, code = lead & 0x0Fu;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, code = lead & 0x07u;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
    {
        if ((byte(i + k) & 0xC0u) != 0x80u)
            return 0;
        code = code << 6 | (byte(i + k) & 0x3Fu);
    }
    // Overlong forms, surrogates and code points beyond U+10FFFF are no UTF-8.
    const uint32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < lowest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

}  // namespace

std::string ReportLine(const std::string& label, const std::string& value)
{
    constexpr int kLabelWidth = 20;
    return FormatText("  %-*s %s\n", kLabelWidth, label.c_str(), value.c_str());
}

std::string HumanReport(const std::string& label, const Measurement& m)
{
    std::string text = PrintableText(label) + "\n";
    text += ReportLine("sample rate", FormatText("%d Hz", m.sampleRate));
    text += ReportLine("channels", std::to_string(m.channels));
    text += ReportLine("frames", FormatText("%lld (%.3f s)", static_cast<long long>(m.frames),
                                      static_cast<double>(m.frames) / m.sampleRate));
    text += ReportLine("speed", FormatText("%.1f x real time", m.Speed()));
    text += ReportLine("meter", m.meterType + ", channel config " + m.channelConfig);
    if (m.nonFinite > 0)
        text += ReportLine("non-finite samples",
                           FormatText("%lld (NaN or infinite; measured as silence)", static_cast<long long>(m.nonFinite)));
    if (m.publications == 0)
        text += ReportLine("note", "nothing was published");
    for (const MeterReading& reading : m.readings)
        text += ReportLine(reading.name, FormatText("%7.2f %s", reading.value, reading.unit.c_str()));
    return text;
}

std::string JsonReport(const std::string& label, const Measurement& m)
{
    std::string text = "{\"file\": " + JsonString(label);
    if (!m.error.empty())
        return text + ", \"error\": " + JsonString(m.error) + "}\n";
    if (m.stoppedBeforeAudio)
        return text + ", \"warning\": " + JsonString(m.warning) + "}\n";
    text += FormatText(", \"sample rate\": %d, \"channels\": %d, \"frames\": %lld, \"speed\": %.1f", m.sampleRate,
                       m.channels, static_cast<long long>(m.frames), m.Speed());
    text += ", \"channel config\": " + JsonString(m.channelConfig);
    text += FormatText(", \"non-finite samples\": %lld", static_cast<long long>(m.nonFinite));
    if (!m.warning.empty())
        text += ", \"warning\": " + JsonString(m.warning);
    for (const MeterReading& reading : m.readings)
        text += ", " + JsonString(reading.name) +
                (std::isfinite(reading.value) ? FormatText(": %.2f", reading.value) : std::string(": null"));
    return text + "}\n";
}

std::string PrintableText(const std::string& text)
{
    std::string printable;
    for (size_t i = 0; i < text.size();)
    {
        const auto c = static_cast<uint8_t>(text[i]);
        const size_t length = c < 0x80 ? 1 : Utf8Length(text, i);
        const size_t span = length > 0 ? length : 1;
        // C1 controls (U+0080 to U+009F) are C2 80 to C2 9F.
        const bool c1 = length == 2 && c == 0xC2 && static_cast<uint8_t>(text[i + 1]) < 0xA0;
        if (c < 0x20 || c == 0x7F || length == 0 || c1)
            for (size_t k = 0; k < span; ++k)
                printable += FormatText("\\x%02x", static_cast<uint8_t>(text[i + k]));
        else
            printable.append(text, i, span);
        i += span;
    }
    return printable;
}

std::string JsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (size_t i = 0; i < text.size();)
    {
        const auto c = static_cast<uint8_t>(text[i]);
        if (c == '"' || c == '\\')
            quoted += std::string("\\") + static_cast<char>(c);
        else if (c == '\n')
            quoted += "\\n";
        else if (c == '\t')
            quoted += "\\t";
        else if (c < 0x20)
            quoted += FormatText("\\u%04x", c);
        else if (c < 0x80)
            quoted += static_cast<char>(c);
        else if (const size_t length = Utf8Length(text, i))
        {
            quoted.append(text, i, length);
            i += length;
            continue;
        }
        else
            quoted += "\\ufffd";
        ++i;
    }
    return quoted + "\"";
}
