#include "line_reader.h"

#include <utility>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

LineReader::LineReader(Source source) : m_source(std::move(source)) {}

bool LineReader::fill()
{
    if (m_ended)
        return false;
    m_block.resize(BlockSize);
    const std::size_t count = m_source(m_block.data(), m_block.size());
    m_block.resize(count);
    m_position = 0;
    m_ended = count == 0;
    return !m_ended;
}

bool LineReader::accept(std::string_view raw, std::string_view &line)
{
    if (m_atStart && raw.starts_with(ByteOrderMark))
        raw.remove_prefix(ByteOrderMark.size());
    m_atStart = false;
    if (!raw.empty() && raw.back() == '\r')
        raw.remove_suffix(1);
    line = raw;
    return !isBlank(raw);
}

bool LineReader::next(std::string_view &line)
{
    for (;;) {
        if (m_position >= m_block.size() && !fill())
            return false;
        const std::string_view rest = std::string_view(m_block).substr(m_position);
        const std::size_t end = rest.find('\n');
        if (end != std::string_view::npos) {
            // The common case: the whole line lies in the block, no copy.
            m_position += end + 1;
            if (accept(rest.substr(0, end), line))
                return true;
            continue;
        }
        // The line runs over the end of the block: gather it.
        m_line.assign(rest);
        m_position = m_block.size();
        for (;;) {
            if (!fill())
                break; // the last line had no line end
            const std::size_t found = m_block.find('\n');
            if (found == std::string::npos) {
                m_line.append(m_block);
                m_position = m_block.size();
                continue;
            }
            m_line.append(m_block, 0, found);
            m_position = found + 1;
            break;
        }
        if (accept(m_line, line))
            return true;
    }
}
