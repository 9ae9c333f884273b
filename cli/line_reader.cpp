#include "line_reader.h"

#include <utility>

namespace {

constexpr std::string_view LineEnds = "\r\n";

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
    if (!m_ended && m_afterCarriageReturn && m_block.front() == '\n')
        m_position = 1;
    m_afterCarriageReturn = false;
    return !m_ended;
}

void LineReader::skipLineEnd()
{
    const bool carriageReturn = m_block[m_position] == '\r';
    ++m_position;
    if (!carriageReturn)
        return;
    if (m_position < m_block.size()) {
        if (m_block[m_position] == '\n')
            ++m_position;
    } else {
        // The LF of this CR LF may start the next block.
        m_afterCarriageReturn = true;
    }
}

bool LineReader::next(std::string_view &line)
{
    for (;;) {
        if (m_position >= m_block.size() && !fill())
            return false;
        if (m_position >= m_block.size())
            continue; // a block of nothing but the LF of a CR LF
        const std::string_view rest = std::string_view(m_block).substr(m_position);
        const std::size_t end = rest.find_first_of(LineEnds);
        if (end != std::string_view::npos) {
            // The common case: the whole line lies in the block, no copy.
            line = rest.substr(0, end);
            m_position += end;
            skipLineEnd();
            if (!isBlank(line))
                return true;
            continue;
        }
        // The line runs over the end of the block: gather it.
        m_line.assign(rest);
        m_position = m_block.size();
        while (fill()) {
            const std::size_t found = std::string_view(m_block).find_first_of(LineEnds, m_position);
            if (found == std::string_view::npos) {
                m_line.append(m_block, m_position);
                m_position = m_block.size();
                continue;
            }
            m_line.append(m_block, m_position, found - m_position);
            m_position = found;
            skipLineEnd();
            break;
        }
        line = m_line;
        if (!isBlank(line))
            return true;
    }
}
