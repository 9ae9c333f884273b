#include "number_text.h"

#include "unicode_text.h"

#include <charconv>
#include <iterator>
#include <limits>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

struct NumberReading
{
    double value = 0;
    bool sawDigit = false;
    bool consumedAll = false;
};

// One pass over the text: the characters that belong to the number are
// copied, blanks dropped, into a plain form that std::from_chars reads.
NumberReading readNumber(std::string_view text)
{
    std::string plain;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    const auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); i < text.size() && unicode_text::isAsciiDigit(text[i]); skipBlanks()) {
            plain += text[i++];
            any = true;
        }
        return any;
    };
    const auto takeSign = [&] {
        skipBlanks();
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
    };

    NumberReading reading;
    takeSign();
    bool digits = takeDigits();
    if (i < text.size() && text[i] == '.') {
        plain += text[i++];
        digits = takeDigits() || digits;
    }
    if (digits && i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        // The exponent counts only with digits of its own; without them the
        // number ends before the letter.
        const std::size_t mark = i;
        const std::size_t plainMark = plain.size();
        ++i;
        plain += 'e';
        takeSign();
        if (!takeDigits()) {
            i = mark;
            plain.resize(plainMark);
        }
    }
    skipBlanks();
    reading.sawDigit = digits;
    reading.consumedAll = i == text.size();
    if (!digits)
        return reading;

    const char *first = plain.data();
    const char *last = plain.data() + plain.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;
    double magnitude = 0;
    const auto [end, error] = std::from_chars(first, last, magnitude);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: the nearest it can hold.
        const bool tiny = plain.find("e-") != std::string::npos;
        magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    (void)end;
    reading.value = negative ? -magnitude : magnitude;
    return reading;
}

} // namespace

double ReadNumber(std::string_view text)
{
    return readNumber(text).value;
}

bool ReadsAsNumber(std::string_view text)
{
    const NumberReading reading = readNumber(text);
    return reading.sawDigit && reading.consumedAll;
}

std::string WriteNumber(double value)
{
    if (value == 0)
        return "0"; // also for -0
    char buffer[400];
    // Shortest round-trip form in fixed notation: whole values get no point.
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}
